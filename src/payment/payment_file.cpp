#include "payment/payment_file.h"

#include <cstdint>
#include <vector>

#include "common/amount.h"
#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/text.h"
#include "payment/crc.h"

namespace zel {

namespace {

constexpr std::size_t kIbanWidth = 22;
constexpr std::size_t kTextWidth = 35;
constexpr char kEndOfText = 26;  // Ctrl-Z
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

// The first line whose amount would lose its front in the 13 columns.
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

// The table of the checksum, here so that the loop over a whole file stays inline.
constexpr CrcTable kCrcTable = MakeCrcTable();

std::uint32_t CrcOf(std::string_view bytes, std::uint32_t crc) {
  for (char c : bytes) crc = kCrcTable[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFu] ^ (crc >> 8);
  return crc;
}

std::string ControlStringOf(std::uint32_t crc) {
  crc ^= kCrcSeed;
  const unsigned char bytes[4] = {static_cast<unsigned char>(crc), static_cast<unsigned char>(crc >> 8),
                                  static_cast<unsigned char>(crc >> 16), static_cast<unsigned char>(crc >> 24)};
  return BytesToHex(bytes, 4);
}

// The lines of a text file as the program reads them: CR LF, a lone CR or a
// lone LF ends a line, the last line counts without an end, Ctrl-Z ends the file.
std::vector<std::string_view> SplitLines(std::string_view content) {
  if (const auto eof = content.find(kEndOfText); eof != std::string_view::npos) content = content.substr(0, eof);
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = start;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
    lines.push_back(content.substr(start, end - start));
    if (end == content.size()) break;
    start = end + 1;
    if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
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
  PadCharScope blanks(' ');
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
  PadCharScope blanks(' ');
  const std::string_view date = settings.PayDate;
  std::string out = "OMPDP;";
  out += std::string(Part(date, 0, 2)) + std::string(Part(date, 3, 2)) + std::string(Part(date, 6, 4));
  out += ';' + Clean(settings.PayerIBAN) + ";;" + Clean(settings.PayerName) + ';';
  out += FormatFixed(10, 2, total) + ';';
  out += std::to_string(count) + ';';
  out += AlignRight(Trim(controlString), 8) + ';';
  return out;
}

double TotalAmount(const PaymentList& list) {
  double total = 0;
  for (const PaymentLine& line : list.lines) total += AmountValue(line.NetAmount.view());
  return total;
}

Status WritePaymentFile(const PaymentList& list, bool bodyOnly, const PayFileSettings& settings,
                        std::string_view controlString, double total, std::string* fullPath) {
  if (Status fit = CheckAmountsFit(list); !fit.ok()) return fit;
  std::string content;
  content.reserve((list.lines.size() + 1) * (kPaymentFileLineLength + 2));
  if (!bodyOnly) {
    content += WinToMik(PaymentFileHeader(settings, total, list.lines.size(), controlString));
    content += kLineEnd;
  }
  for (const PaymentLine& line : list.lines) {
    content += WinToMik(PaymentFileLine(line));
    content += kLineEnd;
  }
  // Written whole to a temporary file and renamed, so a failure never leaves
  // a half-written payment file under the name the bank is given.
  if (Status saved = files::ReplaceFile(settings.PayFileName, content); !saved.ok()) return saved;
  if (fullPath != nullptr) *fullPath = files::FullPath(settings.PayFileName);
  return Status::Ok();
}

Status CheckPaymentFileContent(std::string_view content) {
  const std::vector<std::string_view> lines = SplitLines(content);
  HeaderFigures header;
  if (lines.empty() || !ParseHeader(lines.front(), header)) {
    return Status::Fail(Cp("заглавният ред липсва или е непълен"));
  }
  double sum = 0;
  std::uint32_t crc = kCrcSeed;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (line.size() != kPaymentFileLineLength) {
      return Status::Fail(Cp("ред ") + std::to_string(i + 1) + Cp(" не е ред за плащане"));
    }
    sum += AmountValue(line.substr(kAmountColumn, kAmountWidth));
    crc = CrcOf(line, crc);
  }
  const std::string count = std::to_string(lines.size() - 1);
  if (header.count != count) return Disagreement("броят на плащанията в заглавния ред е", header.count, count);
  const std::string total = FormatAmount(sum);
  if (header.total != total) return Disagreement("общата сума в заглавния ред е", header.total, total);
  const std::string control = ControlStringOf(crc);
  if (header.control != control) return Disagreement("контролата в заглавния ред е", header.control, control);
  return Status::Ok();
}

Status VerifyPaymentFile(const std::string& path) {
  const std::string full = files::FullPath(path);
  std::string content;
  if (Status read = files::ReadAll(full, content); !read.ok()) return read;
  if (Status agreed = CheckPaymentFileContent(content); !agreed.ok()) {
    return Status::Fail(Cp("Файлът за масово плащане \"") + full + Cp("\" е неверен: ") + agreed.message() +
                        Cp(" ! Не го изпращайте на банката."));
  }
  return Status::Ok();
}

std::string PaymentFileClosingMessage(const std::string& fullPath) {
  return Cp("Файлът за масово плащане е \"") + fullPath + "\"";
}

FinalPaymentFileResult MakePaymentFile(const PaymentList& list, const PayFileSettings& settings,
                                       std::string_view storedControlString, double storedTotal) {
  FinalPaymentFileResult result;
  result.status = WritePaymentFile(list, false, settings, storedControlString, storedTotal, &result.fullPath);
  if (!result.status.ok()) return result;
  result.status = VerifyPaymentFile(result.fullPath);
  if (result.status.ok()) result.message = PaymentFileClosingMessage(result.fullPath);
  return result;
}

}  // namespace zel
