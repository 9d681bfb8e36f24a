#pragma once
// A calendar date and a time of day as six integers: arithmetic by named parts ("Y", "M", "D",
// "H", "N", "S"), differences, ordering and text output through a small format language.
#include <array>
#include <memory>

#include "platform/String.h"
#include "text/StringHelpers.h"

class TDateTime;
using TDateTimePtr = std::shared_ptr<TDateTime>;

class TDateTime {
 public:
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;

  static const String MonthList;  // "JANFEB...DEC"
  static constexpr int lngEnglish = 0;
  static constexpr int lngFrench = 1;
  // Name language of Get_String; nothing changes it.
  static int Language;
  static std::array<StringArray, 2> txtMonth_Abbrv;
  static std::array<StringArray, 2> txtMonth_Full;
  static std::array<StringArray, 2> txtDay_Abbrv;
  static std::array<StringArray, 2> txtDay_Full;
  // Fills the four name tables (start-up does this before anything else runs).
  static void FillNameTables();

  virtual ~TDateTime() = default;

  static TDateTimePtr Create();
  // A new object: date moved by amount units of part; other parts give a copy.
  static TDateTimePtr Add(StringView part, int amount, const TDateTime& date);
  // second - first in units of part; 0 for other parts.
  static int Diff(StringView part, const TDateTime& first, const TDateTime& second);
  static String Get_String(const TDateTime& date, StringView format);
  // The text of one run of count characters code ending before the 1-based position.
  static String Get_String_Parser(StringView format, char16_t code, int position, int count,
                                  const TDateTime& date);
  // value zero-padded to width, or its last width characters.
  static String Get_String_Parser_Formater(int value, int width);
  static int Conv_Date2Julian(const TDateTime& date);
  static int Conv_Julian2Date(int day, TDateTime& date);
  // 0 Sunday .. 6 Saturday for dates in range.
  static int WeekDay(const TDateTime& date);

  virtual int Copy(TDateTimePtr& target) const;
  virtual int compare(const TDateTime& other) const;
  virtual int Set_DateSerial(int year, int month, int day);
  virtual int Set_TimeSerial(int hour, int minute, int second);
  virtual int Set_DateTimeSerial(int year, int month, int day, int hour, int minute, int second);
  virtual int Set_DateCurrent();
  virtual int Set_TimeCurrent();
  virtual int Set_DateTimeCurrent();
  // The parsing of the platform's "DD Mon YYYY" and "HH:MM:SS" texts.
  int Set_DateText(StringView text);
  int Set_TimeText(StringView text);
  virtual int Debug_PrintDate() const;
  // The line Debug_PrintDate writes.
  String DebugText() const;
};

// Month abbreviations from an English three-letter month (any case); "" when unknown.
String ccMonthToFrench(StringView month);
String ccMonthToGerman(StringView month);
String ccMonthToSpanish(StringView month);
// "DD Mon YYYY" with the month word translated.
String ccCurrentDateToFrench(StringView date);
String ccCurrentDateToGerman(StringView date);
String ccCurrentDateToSpanish(StringView date);
