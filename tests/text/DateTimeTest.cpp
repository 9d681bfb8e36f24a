#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "text/TDateTime.h"

namespace {

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  TDateTime t;
  t.Set_DateTimeSerial(y, mo, d, h, mi, s);
  return t;
}

std::array<int, 6> Fields(const TDateTime& t) {
  return {t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second};
}

class DateTimeTest : public ::testing::Test {
 protected:
  void SetUp() override { TDateTime::FillNameTables(); }
  void TearDown() override { platform::ClearFakeDateTime(); }
};

TEST_F(DateTimeTest, AddByParts) {
  struct Case {
    const char16_t* part;
    int amount;
    TDateTime from;
    std::array<int, 6> to;
  };
  const Case cases[] = {
      {u"D", 1, At(2027, 2, 28), {2027, 3, 1, 0, 0, 0}},
      {u"D", 1, At(2100, 2, 28), {2100, 2, 29, 0, 0, 0}},
      {u"D", -1, At(2026, 1, 1), {2025, 12, 31, 0, 0, 0}},
      {u"M", 1, At(2026, 12, 15), {2027, 1, 15, 0, 0, 0}},
      {u"M", 1, At(2026, 11, 15), {2026, 12, 15, 0, 0, 0}},
      {u"M", 25, At(2026, 3, 15), {2028, 4, 15, 0, 0, 0}},
      {u"M", 1, At(2026, 1, 31), {2026, 2, 31, 0, 0, 0}},
      {u"S", 30, At(2026, 12, 31, 23, 59, 45), {2027, 1, 1, 0, 0, 15}},
      {u"H", 49, At(2026, 5, 1, 10), {2026, 5, 3, 11, 0, 0}},
      {u"Y", 3, At(2026, 5, 1), {2029, 5, 1, 0, 0, 0}},
      {u"y", 3, At(2026, 5, 1, 1, 2, 3), {2026, 5, 1, 1, 2, 3}},
      // Negative amounts borrow from the next larger part.
      {u"H", -11, At(2026, 5, 1, 10), {2026, 4, 30, 23, 0, 0}},
      {u"M", -1, At(2026, 1, 15), {2025, 12, 15, 0, 0, 0}},
      {u"M", -25, At(2026, 3, 15), {2024, 2, 15, 0, 0, 0}},
      {u"N", -61, At(2026, 1, 1, 0, 30), {2025, 12, 31, 23, 29, 0}},
      {u"S", -1, At(2026, 1, 1), {2025, 12, 31, 23, 59, 59}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << U8(c.part) << " " << c.amount);
    const TDateTimePtr r = TDateTime::Add(c.part, c.amount, c.from);
    EXPECT_EQ(Fields(*r), c.to);
  }
}

TEST_F(DateTimeTest, DiffCompareAndDayNumbers) {
  EXPECT_EQ(TDateTime::Diff(u"N", At(2026, 3, 1, 23, 50), At(2026, 3, 2, 0, 10)), 20);
  EXPECT_EQ(TDateTime::Diff(u"M", At(2026, 11, 15), At(2027, 1, 1)), 2);
  EXPECT_EQ(TDateTime::Diff(u"S", At(2026, 1, 1), At(2026, 1, 2, 0, 0, 5)), 86405);
  EXPECT_EQ(TDateTime::Diff(u"H", At(2026, 1, 1, 5), At(2026, 1, 2, 1)), 20);
  EXPECT_EQ(TDateTime::Diff(u"Y", At(2020, 1, 1), At(2026, 1, 1)), 6);
  EXPECT_EQ(TDateTime::Diff(u"x", At(2020, 1, 1), At(2026, 1, 1)), 0);
  EXPECT_EQ(At(2026, 1, 1, 5).compare(At(2026, 1, 1, 5)), 0);
  EXPECT_EQ(At(2026, 1, 1, 5, 0, 1).compare(At(2026, 1, 1, 5)), 1);
  EXPECT_EQ(At(2026, 1, 1, 5).compare(At(2026, 1, 1, 5, 0, 1)), -1);

  EXPECT_EQ(TDateTime::Conv_Date2Julian(At(2000, 1, 1)), 2451558);
  EXPECT_EQ(TDateTime::Conv_Date2Julian(At(2026, 12, 8)), 2461396);
  EXPECT_EQ(TDateTime::WeekDay(At(2026, 12, 8)), 2);
  EXPECT_EQ(TDateTime::WeekDay(At(2000, 1, 1)), 6);
  // Day number -> date -> day number is the identity over five centuries.
  const int first = TDateTime::Conv_Date2Julian(At(1800, 1, 1));
  const int last = TDateTime::Conv_Date2Julian(At(2300, 12, 31));
  TDateTime t;
  for (int day = first; day <= last; ++day) {
    TDateTime::Conv_Julian2Date(day, t);
    ASSERT_EQ(TDateTime::Conv_Date2Julian(t), day);
  }
}

TEST_F(DateTimeTest, FormatsAndNames) {
  const TDateTime t = At(2026, 12, 8, 7, 5, 3);
  EXPECT_EQ(TDateTime::Get_String(t, u"YYYY-MM-DD HHNNSS screenshot.png"),
            u"2026-12-08 070503 screenshot.png");
  EXPECT_EQ(TDateTime::Get_String(t, u"DDDD D MMMM YY"), u"Tuesday 8 December 26");
  EXPECT_EQ(TDateTime::Get_String(t, u"YYY|HHH|X-Y|DDD MMM|M/D H:N:S|YYYYY"),
            u"||X-|Tue Dec|12/8 7:5:3|");
  EXPECT_EQ(TDateTime::Get_String(t, u""), u"");
  EXPECT_EQ(t.DebugText(), u"2026/12/8  7:5:3");
  EXPECT_EQ(TDateTime::Get_String_Parser_Formater(2026, 2), u"26");
  // A month or weekday outside the tables names nothing.
  EXPECT_EQ(TDateTime::Get_String(At(2026, 13, 8), u"MMM MMMM"), u" ");
  EXPECT_EQ(TDateTime::Get_String(At(2026, 0, 8), u"MMMM"), u"");
  EXPECT_FALSE(TDateTime::Get_String(At(-5, -40, -3), u"DDD DDDD").empty());  // weekday kept in 0..6
  TDateTime::Language = TDateTime::lngFrench;
  EXPECT_EQ(TDateTime::Get_String(At(2026, 2, 8), u"DDDD MMM MMMM"), u"Dimanche F vr F vrier");
  TDateTime::Language = TDateTime::lngEnglish;

  EXPECT_EQ(ccMonthToGerman(u"mar"), u"M rz");
  EXPECT_EQ(ccMonthToSpanish(u"XYZ"), u"");
  EXPECT_EQ(ccMonthToFrench(u"Aug"), u"Ao t");
  EXPECT_EQ(ccCurrentDateToFrench(u"08 Dec 2026"), u"08 D c 2026");
  EXPECT_EQ(ccCurrentDateToGerman(u"08 Mar 2026"), u"08 M rz 2026");
  EXPECT_EQ(ccCurrentDateToSpanish(u"08 Jan 2026"), u"08 Ene 2026");
}

TEST_F(DateTimeTest, CurrentDateThroughTheFakeClock) {
  platform::SetFakeDateTime({2026, 12, 8, 14, 3, 9});
  EXPECT_EQ(platform::CurrentDate(), u"08 Dec 2026");
  EXPECT_EQ(platform::CurrentTime(), u"14:03:09");
  TDateTime t;
  t.Set_DateTimeCurrent();
  EXPECT_EQ(Fields(t), (std::array<int, 6>{2026, 12, 8, 14, 3, 9}));
  // A month text that is not in the list reads as January.
  TDateTime odd;
  odd.Set_DateText(u"08 Xyz 2026");
  EXPECT_EQ(Fields(odd), (std::array<int, 6>{2026, 1, 8, 0, 0, 0}));
  odd.Set_DateText(u"08 nov 2026");
  EXPECT_EQ(odd.Month, 11);
  odd.Set_TimeText(u"07:5x:03");
  EXPECT_EQ(Fields(odd), (std::array<int, 6>{2026, 11, 8, 7, 5, 3}));
}

}  // namespace
