#include "student/student.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>

namespace {

// Names come back as copies, never as references into the record.
static_assert(
    std::is_same_v<decltype(std::declval<const Student&>().getFName()),
                   std::string> &&
    std::is_same_v<decltype(std::declval<const Student&>().getLName()),
                   std::string>);

TEST(StudentTest, DefaultRecordHasEmptyNamesAndZeroBalance) {
  const Student student;
  EXPECT_EQ(student.getFName(), "");
  EXPECT_EQ(student.getLName(), "");
  EXPECT_EQ(student.getTuition(), 0.0F);
}

TEST(StudentTest, ConstructorTakesFirstNameLastNameBalanceInThatOrder) {
  const Student student("John", "Smith", 975.5F);
  EXPECT_EQ(student.getFName(), "John");
  EXPECT_EQ(student.getLName(), "Smith");
  EXPECT_EQ(student.getTuition(), 975.5F);
}

TEST(StudentTest, StoresAnyTextExactly) {
  const std::string texts[] = {"",
                               "  Mary Ann  ",
                               " van der Berg",
                               std::string("A\0B", 3),
                               "Jos\xC3\xA9",
                               "\xFF\xFE\r",
                               std::string(100000, 'x')};
  for (const std::string& text : texts) {
    const Student built(text, text, 1.0F);
    EXPECT_EQ(built.getFName(), text);
    EXPECT_EQ(built.getLName(), text);

    Student set("old first", "old last", 1.0F);
    set.setFName(text);
    set.setLName(text);
    EXPECT_EQ(set.getFName(), text);
    EXPECT_EQ(set.getLName(), text);
  }
}

TEST(StudentTest, ReturnedNamesAndCopiedRecordsAreIndependent) {
  Student student("John", "Smith", 10.0F);
  std::string first = student.getFName();
  std::string last = student.getLName();
  first[0] = 'X';
  last.clear();
  EXPECT_EQ(student.getFName(), "John");
  EXPECT_EQ(student.getLName(), "Smith");

  const std::string before = student.getFName();
  const Student copy = student;
  student.setFName("Jane");
  student.setLName("Doe");
  student.setTuition(1.0F);
  EXPECT_EQ(before, "John");
  EXPECT_EQ(copy.getFName(), "John");
  EXPECT_EQ(copy.getLName(), "Smith");
  EXPECT_EQ(copy.getTuition(), 10.0F);
}

TEST(StudentTest, DeductTuitionIsOneSubtractionWithNoFloor) {
  Student student("A", "B", 40.0F);
  student.deductTuition(100.0F);
  EXPECT_EQ(student.getTuition(), -60.0F);

  student.setTuition(-75.25F);  // any balance, negative ones included
  EXPECT_EQ(student.getTuition(), -75.25F);
  student.setTuition(40.0F);
  student.deductTuition(-25.0F);
  EXPECT_EQ(student.getTuition(), 65.0F);

  // Single precision: 1 is below the spacing of floats near 1e8.
  student.setTuition(1e8F);
  student.deductTuition(1.0F);
  EXPECT_EQ(student.getTuition(), 1e8F);

  EXPECT_EQ(student.getFName(), "A");
  EXPECT_EQ(student.getLName(), "B");
}

}  // namespace
