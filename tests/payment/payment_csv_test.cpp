#include "payment/payment_csv.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"
#include "payment/amount_import.h"
#include "payment/test_lines.h"

namespace zel {
namespace {

using test::kValidIban;
using test::MakeLine;

TEST(PaymentListCsv, WhatTheExportWritesTheImportReadsBackWithoutAChange) {
  PaymentList list;
  list.currency = Currency::Euro;
  list.lines = {MakeLine("Иван Петров Иванов", kValidIban, "1234.50", "Заплата; май", "7501010010"),
                MakeLine("Мария Георгиева Колева", kValidIban, "", "=HYPERLINK(\"x\")", "0541150000"),
                MakeLine("Петър Стоянов Петров", kValidIban, "0.51", "", "6503030030")};
  const std::string bytes = PaymentListCsv(list);
  EXPECT_EQ(bytes,
            "\xEF\xBB\xBF"
            "име на титуляра;ЕГН;IBAN сметка;Чиста сума за получаване (EUR);Основание\r\n"
            "Иван Петров Иванов;7501010010;" +
                kValidIban +
                ";1234,50;\"Заплата; май\"\r\n"
                "Мария Георгиева Колева;0541150000;" +
                kValidIban +
                ";;\"'=HYPERLINK(\"\"x\"\")\"\r\n"
                "Петър Стоянов Петров;6503030030;" +
                kValidIban + ";0,51;\r\n");

  const csv::Table table(bytes);
  const std::optional<ImportColumns> columns = FindHeaderColumns(table);
  ASSERT_TRUE(columns.has_value());
  const AmountImport import(table, *columns, list);
  EXPECT_EQ(import.Count(ImportVerdict::NoChange), list.lines.size());
  EXPECT_EQ(import.changes(true), 0u);
  EXPECT_EQ(import.totalAfter(true), import.totalNow());
  for (std::size_t i = 0; i < import.lines().size(); ++i) EXPECT_EQ(import.Cell(i, PreviewColumn::Note), "") << i;
}

}  // namespace
}  // namespace zel
