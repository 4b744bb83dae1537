#!/usr/bin/env bash
# Writes to standard output an older register file (employs.dat) of three
# records of the 274-byte layout, code page 1251: a plain one, one of an
# employee who has left, and one with bytes left behind the texts and a
# corrupt length byte, which the conversion must carry over as it does on Linux.
set -euo pipefail

# field CAPACITY TEXT [LENGTH] [FILLER]: the length byte (the text's length
# unless given), the text in code page 1251, then FILLER bytes up to CAPACITY.
field() {
  local capacity="$1" text length filler="${4:-\\0}"
  text="$(printf '%s' "$2" | iconv -f UTF-8 -t CP1251)"
  length="${3:-${#text}}"
  printf "\\$(printf '%03o' "$length")"
  printf '%s' "$text"
  for ((i = ${#text}; i < capacity; i++)); do printf "$filler"; done
}

# record FULL SHORT EGN BIRTH SERIES PASSPORT ISSUED BY TOWN STREET SUM MIN ACCOUNT LEFT [FILLER [FULL-LENGTH]]
record() {
  local f="${15:-\\0}"
  field 60 "$1" "${16:-}" "$f"; field 20 "$2" "" "$f"; field 10 "$3" "" "$f"; field 10 "$4" "" "$f"
  field 1 "$5" "" "$f"; field 9 "$6" "" "$f"; field 10 "$7" "" "$f"; field 20 "$8" "" "$f"
  field 20 "$9" "" "$f"; field 50 "${10}" "" "$f"; field 20 "${11}" "" "$f"; field 20 "${12}" "" "$f"
  field 10 "${13}" "" "$f"
  printf "\\$(printf '%03o' "${14}")"
}

export LC_ALL=C
record "Иван Петров Георгиев" "И.П.Георгиев" 7501020018 02.01.1975 А 123456789 12.03.2004 "МВР София" \
  "София" "ул. Шипка 12" 802.00 2.00 1234567890 0
record "Мария Стоянова Колева" "М.С.Колева" 8203150026 15.03.1982 Б 987654321 01.07.2010 "МВР Пловдив" \
  "Пловдив" "бул. Марица 3, ет. 2" 1250.50 5.00 0987654321 1
# Stale bytes behind every text, and a FullName length byte of 255 (beyond its 60).
record "Петър Димитров Ангелов" "П.Д.Ангелов" 6912240031 24.12.1969 В 555444333 30.11.2015 "МВР Варна" \
  "Варна" "ул. Дунав 7" 640.00 0.00 "" 0 'x' 255
