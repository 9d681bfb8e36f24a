#include "text/TDateTime.h"

#include <cstdint>

#include "core/IniFunctions.h"
#include "platform/Clock.h"
#include "platform/System.h"

const String TDateTime::MonthList = u"JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
int TDateTime::Language = 0;
std::array<StringArray, 2> TDateTime::txtMonth_Abbrv;
std::array<StringArray, 2> TDateTime::txtMonth_Full;
std::array<StringArray, 2> TDateTime::txtDay_Abbrv;
std::array<StringArray, 2> TDateTime::txtDay_Full;

namespace {

int FloorDiv(int64_t a, int b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return static_cast<int>(q);
}

String Num(int64_t v) { return S(std::to_string(v)); }

// One entry of a name table, or "" when the index lies outside it.
String Entry(const std::array<StringArray, 2>& table, int index) {
  const int lang = (TDateTime::Language == 1) ? 1 : 0;
  const StringArray& names = table[static_cast<size_t>(lang)];
  if (index < 0 || index >= static_cast<int>(names.size())) return String();
  return names[static_cast<size_t>(index)];
}

String MonthWord(StringView month, const char* const words[12]) {
  const String upper = ccUpper(month);
  static const char* const kKeys[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  for (int i = 0; i < 12; ++i) {
    if (upper == S(kKeys[i])) return S(words[i]);
  }
  return String();
}

}  // namespace

void TDateTime::FillNameTables() {
  auto fill = [](std::array<StringArray, 2>& table, std::initializer_list<const char*> en,
                 std::initializer_list<const char*> fr) {
    table[0].clear();
    table[1].clear();
    for (const char* s : en) table[0].push_back(S(s));
    for (const char* s : fr) table[1].push_back(S(s));
  };
  fill(txtMonth_Abbrv,
       {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
       {"Janv", "F vr", "Mars", "Avr", "Mai", "Juin", "Juil", "Ao t", "Sept", "Oct", "Nov", "D c"});
  fill(txtMonth_Full,
       {"January", "February", "March", "April", "May", "June", "July", "August", "September",
        "October", "November", "December"},
       {"Janvier", "F vrier", "Mars", "Avril", "Mai", "Juin", "Juillet", "Ao t", "Septembre",
        "Octobre", "Novembre", "D cembre"});
  fill(txtDay_Abbrv, {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
       {"Dim", "Lun", "Mar", "Mer", "Jeu", "Ven", "Sam"});
  fill(txtDay_Full, {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
       {"Dimanche", "Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi"});
}

TDateTimePtr TDateTime::Create() { return std::make_shared<TDateTime>(); }

TDateTimePtr TDateTime::Add(StringView part, int amount, const TDateTime& date) {
  TDateTimePtr result;
  date.Copy(result);
  // Hour, minute and second share one rule: the field takes the amount, whole units carry
  // into the next larger part (truncating for positive amounts, borrowing for negative ones).
  auto carried = [&](int TDateTime::*field, int unit, const char16_t* next) {
    if (amount >= 0) {
      if (amount / unit != 0) {
        result = Add(next, amount / unit, *result);
        (*result).*field += amount % unit;
      } else {
        (*result).*field += amount;
      }
      const int q = (*result).*field / unit;
      if (q > 0) {
        (*result).*field -= unit * q;
        result = Add(next, q, *result);
      }
    } else {
      const int64_t total = static_cast<int64_t>((*result).*field) + amount;
      const int q = FloorDiv(total, unit);
      (*result).*field = static_cast<int>(total - static_cast<int64_t>(q) * unit);
      if (q != 0) result = Add(next, q, *result);
    }
  };
  if (part == u"Y") {
    result->Year += amount;
  } else if (part == u"M") {
    if (amount >= 0) {
      if (amount / 12 != 0) {
        result = Add(u"Y", amount / 12, *result);
        result->Month += amount % 12;
      } else {
        result->Month += amount;
      }
      const int q = (result->Month - 1) / 12;
      if (q > 0) {
        result->Month -= 12 * q;
        result = Add(u"Y", q, *result);
      }
    } else {
      const int64_t total = static_cast<int64_t>(result->Month) - 1 + amount;
      const int q = FloorDiv(total, 12);
      result->Month = static_cast<int>(total - static_cast<int64_t>(q) * 12) + 1;
      if (q != 0) result = Add(u"Y", q, *result);
    }
  } else if (part == u"D") {
    Conv_Julian2Date(static_cast<int>(static_cast<int64_t>(Conv_Date2Julian(*result)) + amount),
                     *result);
  } else if (part == u"H") {
    carried(&TDateTime::Hour, 24, u"D");
  } else if (part == u"N") {
    carried(&TDateTime::Minute, 60, u"H");
  } else if (part == u"S") {
    carried(&TDateTime::Second, 60, u"N");
  }
  return result;
}

int TDateTime::Diff(StringView part, const TDateTime& a, const TDateTime& b) {
  const int64_t dj = static_cast<int64_t>(Conv_Date2Julian(b)) - Conv_Date2Julian(a);
  int64_t r = 0;
  if (part == u"Y") {
    r = static_cast<int64_t>(b.Year) - a.Year;
  } else if (part == u"M") {
    r = (static_cast<int64_t>(b.Year) - a.Year) * 12 + (static_cast<int64_t>(b.Month) - a.Month);
  } else if (part == u"D") {
    r = dj;
  } else if (part == u"H") {
    r = dj * 24 + (static_cast<int64_t>(b.Hour) - a.Hour);
  } else if (part == u"N") {
    r = dj * 1440 + ((static_cast<int64_t>(b.Hour) * 60 + b.Minute) -
                     (static_cast<int64_t>(a.Hour) * 60 + a.Minute));
  } else if (part == u"S") {
    r = dj * 86400 + ((static_cast<int64_t>(b.Hour) * 3600 + b.Minute * 60LL + b.Second) -
                      (static_cast<int64_t>(a.Hour) * 3600 + a.Minute * 60LL + a.Second));
  }
  return static_cast<int>(r);
}

String TDateTime::Get_String(const TDateTime& date, StringView format) {
  String out;
  size_t i = 0;
  while (i < format.size()) {
    size_t j = i + 1;
    while (j < format.size() && format[j] == format[i]) ++j;
    out += Get_String_Parser(format, format[i], static_cast<int>(j) + 1, static_cast<int>(j - i),
                             date);
    i = j;
  }
  return out;
}

String TDateTime::Get_String_Parser(StringView format, char16_t code, int position, int count,
                                    const TDateTime& date) {
  (void)format;
  (void)position;
  auto plainOrPadded = [&](int v) -> String {
    if (count == 1) return Num(v);
    if (count == 2) return Get_String_Parser_Formater(v, 2);
    return String();
  };
  switch (code) {
    case u'Y':
      if (count == 2) return Get_String_Parser_Formater(date.Year, 2);
      if (count == 4) return Get_String_Parser_Formater(date.Year, 4);
      return String();
    case u'M':
      if (count == 3) return Entry(txtMonth_Abbrv, date.Month - 1);
      if (count == 4) return Entry(txtMonth_Full, date.Month - 1);
      return plainOrPadded(date.Month);
    case u'D': {
      if (count == 3 || count == 4) {
        const int w = ((WeekDay(date) % 7) + 7) % 7;
        return Entry(count == 3 ? txtDay_Abbrv : txtDay_Full, w);
      }
      return plainOrPadded(date.Day);
    }
    case u'H':
      return plainOrPadded(date.Hour);
    case u'N':
      return plainOrPadded(date.Minute);
    case u'S':
      return plainOrPadded(date.Second);
    default:
      return String(static_cast<size_t>(count), code);
  }
}

String TDateTime::Get_String_Parser_Formater(int value, int width) {
  String t = Num(value);
  if (width <= 0) return String();
  if (static_cast<int>(t.size()) < width) return String(static_cast<size_t>(width) - t.size(), u'0') + t;
  return t.substr(t.size() - static_cast<size_t>(width));
}

int TDateTime::Conv_Date2Julian(const TDateTime& d) {
  // Truncating division, as the count is defined; 64-bit so hostile fields cannot overflow.
  const int64_t y = d.Year, m = d.Month, day = d.Day;
  const int64_t j = 367 * y - (7 * (y + 5001 + (m - 9) / 7)) / 4 + (275 * m) / 9 + day + 1729777;
  return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(j)));
}

int TDateTime::Conv_Julian2Date(int day, TDateTime& date) {
  const int64_t j = day;
  const int64_t a = (j + 1401) / 1461;
  const int64_t b = j + 1402 - 1461 * a;
  const int64_t c = (b - 1) / 365 - b / 1461;
  const int64_t d = b - 365 * c + 30;
  const int64_t e = (80 * d) / 2447;
  date.Day = static_cast<int>(d - (2447 * e) / 80);
  date.Month = static_cast<int>(e + 2 - 12 * (e / 11));
  date.Year = static_cast<int>(4 * a + c + e / 11 - 4716);
  return 0;
}

int TDateTime::WeekDay(const TDateTime& date) {
  int64_t m = date.Month, y = date.Year;
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  const int64_t w = (date.Day + (13 * m - 27) / 5 + y + y / 4 - y / 100 + y / 400) % 7;
  return static_cast<int>(w);
}

int TDateTime::Copy(TDateTimePtr& target) const {
  if (!target) target = Create();
  target->Set_DateTimeSerial(Year, Month, Day, Hour, Minute, Second);
  return 0;
}

int TDateTime::compare(const TDateTime& other) const {
  const int64_t dj = static_cast<int64_t>(Conv_Date2Julian(*this)) - Conv_Date2Julian(other);
  if (dj != 0) return static_cast<int>(dj);
  const int64_t mine = static_cast<int64_t>(Hour) * 3600 + Minute * 60LL + Second;
  const int64_t theirs = static_cast<int64_t>(other.Hour) * 3600 + other.Minute * 60LL + other.Second;
  const int64_t ds = mine - theirs;
  return static_cast<int>(ds < INT32_MIN ? INT32_MIN : ds > INT32_MAX ? INT32_MAX : ds);
}

int TDateTime::Set_DateSerial(int year, int month, int day) {
  Year = year;
  Month = month;
  Day = day;
  return 0;
}

int TDateTime::Set_TimeSerial(int hour, int minute, int second) {
  Hour = hour;
  Minute = minute;
  Second = second;
  return 0;
}

int TDateTime::Set_DateTimeSerial(int year, int month, int day, int hour, int minute, int second) {
  Set_TimeSerial(hour, minute, second);
  Set_DateSerial(year, month, day);
  return 0;
}

int TDateTime::Set_DateCurrent() { return Set_DateText(platform::CurrentDate()); }

int TDateTime::Set_DateText(StringView text) {
  Day = ccStringToInt(ccMid(text, 1, 2));
  const String month = ccUpper(ccMid(text, 4, 3));
  const size_t at = month.size() == 3 ? MonthList.find(month) : String::npos;
  const int position = at == String::npos ? 0 : static_cast<int>(at) + 1;
  Month = position / 3 + 1;
  Year = ccStringToInt(text.size() >= 4 ? text.substr(text.size() - 4) : text);
  return 0;
}

int TDateTime::Set_TimeCurrent() { return Set_TimeText(platform::CurrentTime()); }

int TDateTime::Set_TimeText(StringView text) {
  Hour = ccStringToInt(ccMid(text, 1, 2));
  Minute = ccStringToInt(ccMid(text, 4, 3));
  Second = ccStringToInt(ccMid(text, 7, static_cast<int>(text.size())));
  return 0;
}

int TDateTime::Set_DateTimeCurrent() {
  Set_DateCurrent();
  Set_TimeCurrent();
  return 0;
}

String TDateTime::DebugText() const {
  return Num(Year) + u"/" + Num(Month) + u"/" + Num(Day) + u"  " + Num(Hour) + u":" + Num(Minute) +
         u":" + Num(Second);
}

int TDateTime::Debug_PrintDate() const {
  platform::Print(DebugText());
  return 0;
}

String ccMonthToFrench(StringView month) {
  static const char* const kWords[12] = {"Janv", "F vr", "Mars", "Avr",  "Mai", "Juin",
                                         "Juil", "Ao t", "Sept", "Oct", "Nov", "D c"};
  return MonthWord(month, kWords);
}

String ccMonthToGerman(StringView month) {
  static const char* const kWords[12] = {"Jan",  "Feb",  "M rz", "April", "Mai", "Juni",
                                         "Juli", "Aug", "Sept", "Okt",   "Nov", "Dez"};
  return MonthWord(month, kWords);
}

String ccMonthToSpanish(StringView month) {
  static const char* const kWords[12] = {"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                         "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
  return MonthWord(month, kWords);
}

namespace {
String Translated(StringView date, String (*word)(StringView)) {
  return ccMid(date, 1, 3) + word(ccMid(date, 4, 3)) + ccMid(date, 7, 5);
}
}  // namespace

String ccCurrentDateToFrench(StringView date) { return Translated(date, ccMonthToFrench); }
String ccCurrentDateToGerman(StringView date) { return Translated(date, ccMonthToGerman); }
String ccCurrentDateToSpanish(StringView date) { return Translated(date, ccMonthToSpanish); }
