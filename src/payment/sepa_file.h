#pragma once
// The pay day as an ISO 20022 credit transfer initiation (pain.001), the
// file every bank of the euro area takes: one payment block with one credit
// transfer per payment line that has an amount, in either of the two versions
// banks ask for. Amounts are whole cents from the list to the file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/clock.h"
#include "payment/payment_list.h"

namespace zel {

enum class SepaVersion { Pain09, Pain03 };
// "pain.001.001.09", "pain.001.001.03".
std::string_view SepaVersionName(SepaVersion version);

// What the file says besides the payments. Texts in the Latin set.
struct SepaHeader {
  std::string messageId;  // MsgId; PmtInfId ("-P") and every EndToEndId ("-<n>") are made from it
  DateTime created;       // CreDtTm
  std::string payerName;  // 1..70 characters
  std::string payerIban;  // capitals
  std::string payerBic;   // 8 or 11 characters; empty when none is sent
  Date executionDate;
  SepaVersion version = SepaVersion::Pain09;
  bool batchBooking = true;  // one booking for the whole file on the payer's statement
};

struct SepaPayment {
  std::size_t line = 0;  // of the list
  std::string name;      // Latin, 1..70
  std::string iban;      // capitals
  std::int64_t cents = 0;
  std::string reason;  // Latin, at most 140; empty: none sent
};

enum class LeftOutWhy { NoAmount, ZeroAmount };

struct SepaLeftOut {
  std::size_t line = 0;
  LeftOutWhy why = LeftOutWhy::NoAmount;
};

// The lines as the file takes them.
struct SepaPayments {
  std::vector<SepaPayment> payments;  // in list order
  std::vector<SepaLeftOut> leftOut;   // lines without an amount, in list order
  std::int64_t totalCents = 0;
  // The one message (code page 1251) for a list that cannot go as it stands:
  // an amount that is not a plain decimal of at most 999999999.99, an IBAN
  // that is not valid, a name without a Latin letter, no payment at all. The
  // rest is then empty.
  std::string refusal;
};

inline constexpr std::int64_t kSepaMaxCents = 99'999'999'999;
inline constexpr std::size_t kSepaNameLength = 70;
inline constexpr std::size_t kSepaReasonLength = 140;

SepaPayments CollectSepaPayments(const PaymentList& list);

// "ZEL" and the moment to the second, "-" and the folder's file number:
// unique for every file the folder writes.
std::string SepaMessageId(const DateTime& created, std::uint64_t number);
// "why" in words, for the control sheet (code page 1251).
std::string LeftOutText(LeftOutWhy why);

// The whole file: UTF-8 without a byte order mark.
std::string SepaDocument(const SepaHeader& header, const SepaPayments& payments);

// A file fixed by the print command: what its control sheet shows and what
// "Запис" writes, byte for byte.
struct SepaFile {
  SepaHeader header;
  SepaPayments payments;
  std::string bytes;
  std::uint64_t number = 0;   // the folder's file number it takes
  std::string suggestedName;  // "SEPA-<yyyymmdd>-<n>.xml", the execution date's
};

}  // namespace zel
