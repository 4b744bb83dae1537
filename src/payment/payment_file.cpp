#include "payment/payment_file.h"

#include <vector>

#include "common/amount.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "common/text_lines.h"
#include "payment/crc.h"

namespace zel {

namespace {

constexpr std::size_t kIbanWidth = 22;
constexpr std::size_t kTextWidth = 35;
const char kLineEnd[] = "\r\n";

// A control character inside a field would break the line, or end the file
// for a reader, so it goes to the bank as a blank.
void BlankControlCharacters(std::string& s) {
  for (char& c : s) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
}

std::string Clean(std::string_view s) {
  std::string out(s);
  BlankControlCharacters(out);
  return out;
}

std::string_view Part(std::string_view s, std::size_t pos, std::size_t count) {
  return pos < s.size() ? s.substr(pos, count) : std::string_view();
}

double AmountValue(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.empty()) return 0;
  return ParseAmount(trimmed).value_or(0);
}

// An amount the bank reads as the total counts it: empty (blanks alone count
// as empty, and as 0), or digits, a point and two decimals, at least the
// currency's minimum, no wider than its columns.
bool IsPayableAmount(std::string_view text, Currency currency) {
  if (Trim(text).empty()) return true;
  return IsPlainAmount(text) && text.size() <= kAmountWidth &&
         ParseAmount(text).value_or(0) >= RulesOf(currency).minNetAmount;
}

bool HasLowerCaseLatin(std::string_view s) {
  for (const char c : s) {
    if (c >= 'a' && c <= 'z') return true;
  }
  return false;
}

// The header line's fields: OMPDP, date, IBAN, (empty), name, total, count,
// control, and nothing after the last ";". A ";" inside a field would shift
// the figures the bank reads, so the count of fields is exact.
struct HeaderFigures {
  std::string iban;
  std::string total;
  std::string count;
  std::string control;
};

bool ParseHeader(std::string_view header, HeaderFigures& figures) {
  static const std::string_view kMark = "OMPDP;";
  if (header.substr(0, kMark.size()) != kMark) return false;
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t sep = header.find(';', start);
    if (sep == std::string_view::npos) {
      fields.push_back(header.substr(start));
      break;
    }
    fields.push_back(header.substr(start, sep - start));
    start = sep + 1;
  }
  constexpr std::size_t kFields = 9;
  if (fields.size() != kFields || !fields[3].empty() || !fields.back().empty()) return false;
  figures.iban = std::string(fields[2]);
  figures.total = std::string(fields[5]);
  figures.count = std::string(fields[6]);
  figures.control = std::string(Trim(fields[7]));
  return true;
}

Status Disagreement(const char* what, const std::string& stated, const std::string& found) {
  return Status::Fail(Cp(what) + " " + stated + Cp(", а по редовете за плащане е ") + found);
}

Status LineFault(std::size_t lineNumber, const char* what) {
  return Status::Fail(Cp("ред ") + std::to_string(lineNumber) + " " + Cp(what));
}

std::string PaymentFileHeader(const PayFileSettings& settings, double total, std::size_t count,
                              std::string_view controlString) {
  const std::string_view date = settings.PayDate;
  std::string out = "OMPDP;";
  out += std::string(Part(date, 0, 2)) + std::string(Part(date, 3, 2)) + std::string(Part(date, 6, 4));
  out += ';' + Clean(ToUpperLatin(settings.PayerIBAN)) + ";;" + Clean(settings.PayerName) + ';';
  out += FormatAmount(total) + ';';
  out += std::to_string(count) + ';';
  out += AlignRight(Trim(controlString), 8) + ';';
  return out;
}

std::string PaymentFileClosingMessage(const std::string& fullPath) {
  return Cp("Файлът за масово плащане е \"") + files::ShownPath(fullPath) + "\"";
}

}  // namespace

std::string PaymentFileLine(const PaymentLine& line) {
  const std::string_view reason = line.Reason.view();
  std::string out;
  out.reserve(kPaymentFileLineLength);
  // The bank expects the electronic form of an IBAN, in capitals.
  out += AlignLeft(ToUpperLatin(line.Employee.IBAN.view()), static_cast<int>(kIbanWidth));
  out += ' ';
  out += AlignRight(line.NetAmount.view(), static_cast<int>(kAmountWidth));
  out += ' ';
  out += AlignLeft(line.Employee.FullName.view(), static_cast<int>(kTextWidth));
  out += ' ';
  out += AlignLeft(Part(reason, 0, kTextWidth), static_cast<int>(kTextWidth));
  out += ' ';
  out += AlignLeft(Part(reason, kTextWidth, kTextWidth), static_cast<int>(kTextWidth));
  BlankControlCharacters(out);
  return out;
}

double TotalAmount(const PaymentList& list) {
  double total = 0;
  for (const PaymentLine& line : list.lines) total += AmountValue(line.NetAmount.view());
  return total;
}

Status CheckPayableAmounts(const PaymentList& list) {
  for (const PaymentLine& line : list.lines) {
    const std::string_view amount = line.NetAmount.view();
    if (!IsPayableAmount(amount, list.currency)) {
      return Status::Fail(Cp("Сумата „") + std::string(amount) + Cp("“ за ") + line.Employee.FullName.str() +
                          Cp(" не е валидна !"));
    }
  }
  return Status::Ok();
}

std::string PaymentFileBody(const PaymentList& list) {
  std::string body;
  body.reserve(list.lines.size() * (kPaymentFileLineLength + 2));
  for (const PaymentLine& line : list.lines) {
    body += WinToMik(PaymentFileLine(line));
    body += kLineEnd;
  }
  return body;
}

std::string PaymentFileText(const PaymentList& list, const PayDay& payDay) {
  std::string text =
      WinToMik(PaymentFileHeader(payDay.Settings, payDay.StoredTotal, list.lines.size(), payDay.StoredControlString));
  text += kLineEnd;
  text += PaymentFileBody(list);
  return text;
}

// Both writes go whole to a temporary file that is renamed, so a failure
// never leaves a half-written payment file under the name the bank is given.
Status WritePaymentBody(FileSystem& fs, const PaymentList& list, PayDay& payDay) {
  const std::string body = PaymentFileBody(list);
  if (Status saved = files::ReplaceFile(fs, payDay.Settings.PayFileName, body); !saved.ok()) return saved;
  payDay.StoredControlString = ControlString(body);
  return Status::Ok();
}

Status WriteFinalPaymentFile(FileSystem& fs, const PaymentList& list, const PayDay& payDay, std::string* fullPath) {
  if (Status payable = CheckPayableAmounts(list); !payable.ok()) return payable;
  const std::string& name = payDay.Settings.PayFileName;
  if (Status saved = files::ReplaceFile(fs, name, PaymentFileText(list, payDay)); !saved.ok()) return saved;
  if (fullPath != nullptr) *fullPath = files::FullPath(fs, name);
  return Status::Ok();
}

Status CheckPaymentFileContent(std::string_view content, const PaymentList& list) {
  TextLines lines(content);
  std::string_view line;
  HeaderFigures header;
  if (!lines.Next(line) || !ParseHeader(line, header)) {
    return Status::Fail(Cp("заглавният ред липсва, непълен е или има излишно \";\""));
  }
  if (HasLowerCaseLatin(header.iban)) return Status::Fail(Cp("IBAN в заглавния ред не е с главни букви"));
  // The control string covers the lines below the header.
  const std::string_view body = content.substr(static_cast<std::size_t>(line.data() + line.size() - content.data()));
  double sum = 0;
  std::size_t count = 0;
  while (lines.Next(line)) {
    ++count;
    const std::size_t lineNumber = count + 1;
    if (line.size() != kPaymentFileLineLength) return LineFault(lineNumber, "не е ред за плащане");
    if (count > list.lines.size()) return LineFault(lineNumber, "няма плащане в списъка");
    const PaymentLine& expected = list.lines[count - 1];
    const std::string_view iban = Trim(line.substr(0, kIbanWidth));
    if (HasLowerCaseLatin(iban) || iban != ToUpperLatin(Trim(expected.Employee.IBAN.view()))) {
      return LineFault(lineNumber, "не носи IBAN от списъка с главни букви");
    }
    const std::string_view amount = Trim(line.substr(kAmountColumn, kAmountWidth));
    if (!IsPayableAmount(amount, list.currency) || amount != Trim(expected.NetAmount.view())) {
      return LineFault(lineNumber, "не носи сумата от списъка");
    }
    sum += AmountValue(amount);
  }
  const std::string countText = std::to_string(count);
  if (header.count != countText || count != list.lines.size()) {
    return Disagreement("броят на плащанията в заглавния ред е", header.count, countText);
  }
  const std::string total = FormatAmount(sum);
  if (header.total != total) return Disagreement("общата сума в заглавния ред е", header.total, total);
  const std::string control = ControlString(body);
  if (header.control != control) return Disagreement("контролата в заглавния ред е", header.control, control);
  return Status::Ok();
}

Status VerifyPaymentFile(FileSystem& fs, const std::string& path, const PaymentList& list) {
  const std::string full = files::FullPath(fs, path);
  std::string content;
  if (Status read = files::ReadFile(fs, full, content); !read.ok()) return read;
  if (Status agreed = CheckPaymentFileContent(content, list); !agreed.ok()) {
    return Status::Fail(Cp("Файлът за масово плащане \"") + files::ShownPath(full) + Cp("\" е неверен: ") +
                        agreed.message() + Cp(" ! Не го изпращайте на банката."));
  }
  return Status::Ok();
}

FinalPaymentFileResult MakePaymentFile(FileSystem& fs, const PaymentList& list, const PayDay& payDay) {
  FinalPaymentFileResult result;
  result.status = WriteFinalPaymentFile(fs, list, payDay, &result.fullPath);
  if (!result.status.ok()) return result;
  result.status = VerifyPaymentFile(fs, result.fullPath, list);
  if (result.status.ok()) result.message = PaymentFileClosingMessage(result.fullPath);
  return result;
}

}  // namespace zel
