#include "common/transliteration.h"

#include <gtest/gtest.h>

#include "common/cp1251.h"

namespace zel {
namespace {

// The law's examples, its awkward letters and the case of whole words, and
// what is left of the signs outside the Latin set.
TEST(TransliterateToLatin, ByTheLawAndIntoTheLatinSet) {
  const std::pair<const char*, const char*> rows[] = {
      {"Иван Петров Иванов", "Ivan Petrov Ivanov"},
      {"Щерю Жечев Цанков", "Shteryu Zhechev Tsankov"},
      {"Мария Георгиева", "Maria Georgieva"},
      {"Фирма „Ъгъл“ ЕООД", "Firma Agal EOOD"},
      {"Вилияна Ияна", "Viliyana Iyana"},
      {"МАРИЯ ЩЕРЕВА-ЖЕЧЕВА", "MARIA SHTEREVA-ZHECHEVA"},
      {"Ж. Ч. Ю. Я.", "Zh. Ch. Yu. Ya."},
      {"ЮЛИЯ Ядкова Кьосева Йорданка", "YULIA Yadkova Kyoseva Yordanka"},
      {"България, БЪЛГАРИЯ, българия", "Bulgaria, BULGARIA, bulgaria"},
      {"Хан Аспарух Хюсеинов Цецо", "Han Asparuh Hyuseinov Tsetso"},
      {"Дъб & Ясен №5 «Бор»", "Dab + Yasen 5 Bor"},
      {"ООД \"Лъч\"; клон_1\t\tиюли", "OOD Lach klon 1 iyuli"},
      {"  O'Neil (1/2) ?:.,+-  ", "O'Neil (1/2) ?:.,+-"},
      {"Эдуард Ёлкин", "Eduard Yolkin"},
      {"№ „“", ""},
  };
  for (const auto& [cyrillic, latin] : rows) EXPECT_EQ(TransliterateToLatin(Cp(cyrillic)), latin) << cyrillic;
}

TEST(CutAtWord, AfterTheLastWholeWord) {
  const std::tuple<const char*, std::size_t, const char*> rows[] = {
      {"Ivan Petrov", 11, "Ivan Petrov"}, {"Ivan Petrov", 10, "Ivan"}, {"Ivan Petrov", 4, "Ivan"},
      {"Ivan Petrov", 5, "Ivan"},         {"Ivanpetrov", 4, "Ivan"},   {"Ivan Pe trov", 7, "Ivan Pe"},
  };
  for (const auto& [text, limit, cut] : rows) EXPECT_EQ(CutAtWord(text, limit), cut) << text << " " << limit;
}

}  // namespace
}  // namespace zel
