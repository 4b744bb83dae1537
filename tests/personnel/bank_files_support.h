#pragma once
// Helpers of the request file and bank file tests: employees built from UTF-8
// texts, and the bank's DOS code page worked out from Unicode, independently
// of the program's own conversion.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/employee_record.h"

namespace zel::test {

// UTF-8 to the DOS code page MIK: А..я (U+0410..U+044F) are 0x80..0xBF;
// ASCII stays. Only what the tests write is handled.
inline std::string Mik(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    const auto b2 = static_cast<unsigned char>(utf8[++i]);
    const char32_t cp = ((b & 0x1Fu) << 6) | (b2 & 0x3Fu);
    out += static_cast<char>(0x80 + (cp - 0x410));
  }
  return out;
}

// Lines joined with CR LF, each one ended by it.
inline std::string MikLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view l : lines) out += Mik(l) + "\r\n";
  return out;
}

struct Person {
  std::string name, egn, birth, series, passport, issued, issuedBy, town, street;
  std::string requested, minBalance, account, overdraft, contract, iban;
  bool left = false;
};

// The record of `p`, its texts given in UTF-8.
inline EmployeeRecord Record(const Person& p) {
  EmployeeRecord r = ZeroEmployeeRecord();
  r.FullName = Cp(p.name);
  r.EGN = Cp(p.egn);
  r.BirthDate = Cp(p.birth);
  r.PassportSeries = Cp(p.series);
  r.PassportNo = Cp(p.passport);
  r.IssueDate = Cp(p.issued);
  r.IssuedBy = Cp(p.issuedBy);
  r.Town = Cp(p.town);
  r.Street = Cp(p.street);
  r.RequestedSum = Cp(p.requested);
  r.MinBalance = Cp(p.minBalance);
  r.Account = Cp(p.account);
  r.Overdraft = Cp(p.overdraft);
  r.LabourContract = Cp(p.contract);
  r.HasLeft = p.left ? 1 : 0;
  r.IBAN = Cp(p.iban);
  return r;
}

// A Bulgarian IBAN with right check digits for the 18-character BBAN.
inline std::string BgIban(std::string_view bban) {
  // The check digits make (BBAN, "BG", check) mod 97 equal 1; B=11, G=16.
  std::string digits;
  for (char c : bban) digits += (c >= 'A' && c <= 'Z') ? std::to_string(c - 'A' + 10) : std::string(1, c);
  digits +=
      "1116"
      "00";
  int r = 0;
  for (char c : digits) r = (r * 10 + (c - '0')) % 97;
  const int check = 98 - r;
  std::string iban = "BG";
  iban += static_cast<char>('0' + check / 10);
  iban += static_cast<char>('0' + check % 10);
  return iban + std::string(bban);
}

}  // namespace zel::test
