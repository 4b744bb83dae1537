#include "payment/payment_file.h"

#include <cstdint>
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

// The fields of a header line separated by ";"; the payer name may hold a
// ";" itself, so the figures are taken from the end.
struct HeaderFigures {
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
  // OMPDP, date, IBAN, (empty), name, total, count, control, and nothing after the last ";".
  constexpr std::size_t kFields = 9;
  if (fields.size() < kFields || !fields.back().empty()) return false;
  const std::size_t n = fields.size();
  figures.total = std::string(fields[n - 4]);
  figures.count = std::string(fields[n - 3]);
  figures.control = std::string(Trim(fields[n - 2]));
  return true;
}

Status Disagreement(const char* what, const std::string& stated, const std::string& found) {
  return Status::Fail(Cp(what) + " " + stated + Cp(", а по редовете за плащане е ") + found);
}

}  // namespace

std::string PaymentFileLine(const PaymentLine& line) {
  const std::string_view reason = line.Reason.view();
  std::string out;
  out.reserve(kPaymentFileLineLength);
  out += AlignLeft(line.Employee.IBAN.view(), static_cast<int>(kIbanWidth));
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

std::string PaymentFileHeader(const PayFileSettings& settings, double total, std::size_t count,
                              std::string_view controlString) {
  const std::string_view date = settings.PayDate;
  std::string out = "OMPDP;";
  out += std::string(Part(date, 0, 2)) + std::string(Part(date, 3, 2)) + std::string(Part(date, 6, 4));
  out += ';' + Clean(settings.PayerIBAN) + ";;" + Clean(settings.PayerName) + ';';
  out += FormatAmount(total) + ';';
  out += std::to_string(count) + ';';
  out += AlignRight(Trim(controlString), 8) + ';';
  return out;
}

double TotalAmount(const PaymentList& list) {
  double total = 0;
  for (const PaymentLine& line : list.lines) total += AmountValue(line.NetAmount.view());
  return total;
}

Status CheckAmountsFit(const PaymentList& list) {
  for (const PaymentLine& line : list.lines) {
    const std::string_view amount = Trim(line.NetAmount.view());
    if (amount.size() > kAmountWidth) {
      return Status::Fail(Cp("Сумата \"") + std::string(amount) + Cp("\" на ") + line.Employee.FullName.str() +
                          Cp(" не се побира в 13 знака на файла за масово плащане !"));
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
  std::string text = WinToMik(
      PaymentFileHeader(payDay.Settings, payDay.StoredTotal, list.lines.size(), payDay.StoredControlString));
  text += kLineEnd;
  text += PaymentFileBody(list);
  return text;
}

Status WritePaymentFile(FileSystem& fs, const PaymentList& list, bool bodyOnly, const PayDay& payDay,
                        std::string* fullPath) {
  if (Status fit = CheckAmountsFit(list); !fit.ok()) return fit;
  const std::string content = bodyOnly ? PaymentFileBody(list) : PaymentFileText(list, payDay);
  // Written whole to a temporary file and renamed, so a failure never leaves
  // a half-written payment file under the name the bank is given.
  const std::string& name = payDay.Settings.PayFileName;
  if (Status saved = files::ReplaceFile(fs, name, content); !saved.ok()) return saved;
  if (fullPath != nullptr) *fullPath = files::FullPath(fs, name);
  return Status::Ok();
}

Status CheckPaymentFileContent(std::string_view content) {
  TextLines lines(content);
  std::string_view line;
  HeaderFigures header;
  if (!lines.Next(line) || !ParseHeader(line, header)) {
    return Status::Fail(Cp("заглавният ред липсва или е непълен"));
  }
  double sum = 0;
  std::uint32_t crc = kCrcSeed;
  std::size_t count = 0;
  while (lines.Next(line)) {
    ++count;
    if (line.size() != kPaymentFileLineLength) {
      return Status::Fail(Cp("ред ") + std::to_string(count + 1) + Cp(" не е ред за плащане"));
    }
    sum += AmountValue(line.substr(kAmountColumn, kAmountWidth));
    crc = UpdateCrc(line, crc);
  }
  const std::string countText = std::to_string(count);
  if (header.count != countText) {
    return Disagreement("броят на плащанията в заглавния ред е", header.count, countText);
  }
  const std::string total = FormatAmount(sum);
  if (header.total != total) return Disagreement("общата сума в заглавния ред е", header.total, total);
  const std::string control = FinishControlString(crc);
  if (header.control != control) return Disagreement("контролата в заглавния ред е", header.control, control);
  return Status::Ok();
}

Status VerifyPaymentFile(FileSystem& fs, const std::string& path) {
  const std::string full = files::FullPath(fs, path);
  std::string content;
  if (Status read = files::ReadFile(fs, full, content); !read.ok()) return read;
  if (Status agreed = CheckPaymentFileContent(content); !agreed.ok()) {
    return Status::Fail(Cp("Файлът за масово плащане \"") + files::ShownPath(full) + Cp("\" е неверен: ") + agreed.message() +
                        Cp(" ! Не го изпращайте на банката."));
  }
  return Status::Ok();
}

std::string PaymentFileClosingMessage(const std::string& fullPath) {
  return Cp("Файлът за масово плащане е \"") + files::ShownPath(fullPath) + "\"";
}

FinalPaymentFileResult MakePaymentFile(FileSystem& fs, const PaymentList& list, const PayDay& payDay) {
  FinalPaymentFileResult result;
  result.status = WritePaymentFile(fs, list, false, payDay, &result.fullPath);
  if (!result.status.ok()) return result;
  result.status = VerifyPaymentFile(fs, result.fullPath);
  if (result.status.ok()) result.message = PaymentFileClosingMessage(result.fullPath);
  return result;
}

}  // namespace zel
