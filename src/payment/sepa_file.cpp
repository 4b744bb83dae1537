#include "payment/sepa_file.h"

#include <charconv>
#include <cstdio>

#include "common/amount.h"
#include "common/calendar.h"
#include "common/checks.h"
#include "common/cp1251.h"
#include "common/text.h"
#include "common/transliteration.h"

namespace zel {

namespace {

// The form of an IBAN the scheme takes: country letters, check digits, then
// letters or digits, at most 34 in all; and its check digits right.
bool IsSepaIban(std::string_view iban) {
  if (iban.size() < 5 || iban.size() > 34 || !IsValidIban(iban)) return false;
  for (std::size_t i = 0; i < iban.size(); ++i) {
    const char c = iban[i];
    const bool letter = c >= 'A' && c <= 'Z';
    const bool digit = c >= '0' && c <= '9';
    if (i < 2 ? !letter : i < 4 ? !digit : !(letter || digit)) return false;
  }
  return true;
}

std::string Quoted(std::string_view cp1251) { return Cp("„") + std::string(cp1251) + Cp("“"); }

// The file is written by appending; every text of it goes through Text().
class Xml {
public:
  explicit Xml(std::size_t reserve) { out_.reserve(reserve); }

  // <tag>text</tag> on one line, the text escaped.
  void Leaf(std::string_view indent, std::string_view tag, std::string_view text) {
    out_ += indent;
    out_ += '<';
    out_ += tag;
    out_ += '>';
    Text(text);
    out_ += "</";
    out_ += tag;
    out_ += ">\n";
  }
  // Markup of the program's own, written as it stands (a literal's length
  // known without counting).
  template <std::size_t N>
  void Raw(const char (&markup)[N]) {
    out_.append(markup, N - 1);
  }
  void Raw(std::string_view markup) { out_ += markup; }
  // Characters with a meaning in XML as references. The Latin set has none
  // of them but "'", which needs none in element content; the rule is kept
  // whole all the same, so that no text can ever break the document.
  void Text(std::string_view text) {
    bool plain = true;
    for (const char c : text) plain &= c != '&' && c != '<' && c != '>' && c != '"';
    if (plain) {
      out_ += text;
      return;
    }
    for (const char c : text) {
      switch (c) {
        case '&': out_ += "&amp;"; break;
        case '<': out_ += "&lt;"; break;
        case '>': out_ += "&gt;"; break;
        case '"': out_ += "&quot;"; break;
        default: out_ += c;
      }
    }
  }
  std::string Take() { return std::move(out_); }

private:
  std::string out_;
};

void WriteAgent(Xml& xml, const SepaHeader& header) {
  xml.Raw("      <DbtrAgt>\n        <FinInstnId>\n");
  if (header.payerBic.empty()) {
    xml.Raw("          <Othr>\n            <Id>NOTPROVIDED</Id>\n          </Othr>\n");
  } else {
    xml.Leaf("          ", header.version == SepaVersion::Pain09 ? "BICFI" : "BIC", header.payerBic);
  }
  xml.Raw("        </FinInstnId>\n      </DbtrAgt>\n");
}

// The markup between the texts in as few pieces as it takes: the file
// holds one of these for every payment.
void WriteTransfer(Xml& xml, const SepaPayment& payment, std::string_view idStem, std::size_t ordinal) {
  char number[32];
  const auto written = std::to_chars(number, number + sizeof number, ordinal);
  xml.Raw("      <CdtTrfTxInf>\n        <PmtId>\n          <EndToEndId>");
  xml.Text(idStem);
  xml.Raw(std::string_view(number, static_cast<std::size_t>(written.ptr - number)));
  xml.Raw("</EndToEndId>\n        </PmtId>\n        <Amt>\n          <InstdAmt Ccy=\"EUR\">");
  xml.Raw(CentsText(static_cast<std::uint64_t>(payment.cents)).view());
  xml.Raw("</InstdAmt>\n        </Amt>\n        <Cdtr>\n          <Nm>");
  xml.Text(payment.name);
  xml.Raw("</Nm>\n        </Cdtr>\n        <CdtrAcct>\n          <Id>\n            <IBAN>");
  xml.Text(payment.iban);
  xml.Raw("</IBAN>\n          </Id>\n        </CdtrAcct>\n");
  if (!payment.reason.empty()) {
    xml.Raw("        <RmtInf>\n          <Ustrd>");
    xml.Text(payment.reason);
    xml.Raw("</Ustrd>\n        </RmtInf>\n");
  }
  xml.Raw("      </CdtTrfTxInf>\n");
}

std::string IsoDateTime(const DateTime& moment) {
  char time[16];
  std::snprintf(time, sizeof time, "T%02d:%02d:%02d", moment.time.hour, moment.time.minute, moment.time.second);
  return IsoDate(moment.date) + time;
}

}  // namespace

std::string_view SepaVersionName(SepaVersion version) {
  return version == SepaVersion::Pain09 ? "pain.001.001.09" : "pain.001.001.03";
}

SepaPayments CollectSepaPayments(const PaymentList& list) {
  SepaPayments result;
  const auto refuse = [&result](std::string message) {
    result = SepaPayments{};
    result.refusal = std::move(message);
    return result;
  };
  result.payments.reserve(list.lines.size());
  std::string_view lastReason;
  std::string lastLatin;
  for (std::size_t i = 0; i < list.lines.size(); ++i) {
    const PaymentLine& line = list.lines[i];
    const std::string_view fullName = line.Employee.FullName.view();
    const std::string_view amount = Trim(line.NetAmount.view());
    if (amount.empty()) {
      result.leftOut.push_back({i, LeftOutWhy::NoAmount});
      continue;
    }
    const std::optional<std::int64_t> cents = ParseCents(amount);
    if (!cents || *cents > kSepaMaxCents) {
      return refuse(Cp("Сумата ") + Quoted(amount) + Cp(" за ") + std::string(fullName) + Cp(" не е валидна !"));
    }
    if (*cents == 0) {
      result.leftOut.push_back({i, LeftOutWhy::ZeroAmount});
      continue;
    }
    SepaPayment payment;
    payment.line = i;
    payment.iban = ToUpperLatin(Trim(line.Employee.IBAN.view()));
    if (!IsSepaIban(payment.iban)) {
      return refuse(Cp("IBAN ") + Quoted(line.Employee.IBAN.view()) + Cp(" на ") + std::string(fullName) +
                    Cp(" не е валиден !"));
    }
    payment.name = TransliterateToLatin(fullName);
    if (payment.name.size() > kSepaNameLength) payment.name = CutAtWord(payment.name, kSepaNameLength);
    if (payment.name.empty()) {
      return refuse(Cp("Името ") + Quoted(fullName) + Cp(" не може да се изпише с латински букви !"));
    }
    // "Основание" gives every line the same reason: spelt once.
    if (line.Reason.view() != lastReason) {
      lastReason = line.Reason.view();
      lastLatin = TransliterateToLatin(lastReason);
      if (lastLatin.size() > kSepaReasonLength) lastLatin = CutAtWord(lastLatin, kSepaReasonLength);
    }
    payment.reason = lastLatin;
    payment.cents = *cents;
    result.totalCents += *cents;
    result.payments.push_back(std::move(payment));
  }
  if (result.payments.empty()) {
    return refuse(Cp("Няма ред със сума за превод: SEPA файлът не може да е празен !"));
  }
  return result;
}

std::string SepaMessageId(const DateTime& created, std::uint64_t number) {
  char moment[32];
  std::snprintf(moment, sizeof moment, "ZEL%04d%02d%02d%02d%02d%02d-", created.date.year, created.date.month,
                created.date.day, created.time.hour, created.time.minute, created.time.second);
  return moment + std::to_string(number);
}

std::string LeftOutText(LeftOutWhy why) { return Cp(why == LeftOutWhy::NoAmount ? "няма сума" : "сумата е нула"); }

std::string SepaDocument(const SepaHeader& header, const SepaPayments& payments) {
  // The markup of a payment is some 420 bytes besides its texts: the whole
  // text is allocated once.
  std::size_t size = 4096;
  for (const SepaPayment& p : payments.payments)
    size += 480 + header.messageId.size() + p.name.size() + p.reason.size();
  Xml xml(size);
  const std::string count = std::to_string(payments.payments.size());
  const std::string total = FormatCents(payments.totalCents);
  xml.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Document xmlns=\"urn:iso:std:iso:20022:tech:xsd:");
  xml.Raw(SepaVersionName(header.version));
  xml.Raw("\">\n  <CstmrCdtTrfInitn>\n    <GrpHdr>\n");
  xml.Leaf("      ", "MsgId", header.messageId);
  xml.Leaf("      ", "CreDtTm", IsoDateTime(header.created));
  xml.Leaf("      ", "NbOfTxs", count);
  xml.Leaf("      ", "CtrlSum", total);
  xml.Raw("      <InitgPty>\n");
  xml.Leaf("        ", "Nm", header.payerName);
  xml.Raw("      </InitgPty>\n    </GrpHdr>\n    <PmtInf>\n");
  xml.Leaf("      ", "PmtInfId", header.messageId + "-P");
  xml.Raw("      <PmtMtd>TRF</PmtMtd>\n");
  xml.Leaf("      ", "BtchBookg", header.batchBooking ? "true" : "false");
  xml.Leaf("      ", "NbOfTxs", count);
  xml.Leaf("      ", "CtrlSum", total);
  xml.Raw(
      "      <PmtTpInf>\n        <SvcLvl>\n          <Cd>SEPA</Cd>\n        </SvcLvl>\n"
      "        <CtgyPurp>\n          <Cd>SALA</Cd>\n        </CtgyPurp>\n      </PmtTpInf>\n");
  if (header.version == SepaVersion::Pain09) {
    xml.Raw("      <ReqdExctnDt>\n");
    xml.Leaf("        ", "Dt", IsoDate(header.executionDate));
    xml.Raw("      </ReqdExctnDt>\n");
  } else {
    xml.Leaf("      ", "ReqdExctnDt", IsoDate(header.executionDate));
  }
  xml.Raw("      <Dbtr>\n");
  xml.Leaf("        ", "Nm", header.payerName);
  xml.Raw("      </Dbtr>\n      <DbtrAcct>\n        <Id>\n");
  xml.Leaf("          ", "IBAN", header.payerIban);
  xml.Raw("        </Id>\n      </DbtrAcct>\n");
  WriteAgent(xml, header);
  xml.Raw("      <ChrgBr>SLEV</ChrgBr>\n");
  // Each payment's EndToEndId: the message identifier, "-" and the payment's
  // place from 1; unique in the file and free of anything about the person.
  const std::string idStem = header.messageId + "-";
  std::size_t ordinal = 0;
  for (const SepaPayment& payment : payments.payments) WriteTransfer(xml, payment, idStem, ++ordinal);
  xml.Raw("    </PmtInf>\n  </CstmrCdtTrfInitn>\n</Document>\n");
  return xml.Take();
}

}  // namespace zel
