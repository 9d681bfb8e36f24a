#pragma once
// Plain records of operating-system data read by the debug panel, and a name/value list.
// The records stay empty on this platform.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/String.h"

class TMemoryStatus {
 public:
  virtual ~TMemoryStatus() = default;
  int32_t dwLength = 32;
  int32_t dwMemoryLoad = 0;
  int32_t dwTotalPhys = 0;
  int32_t dwAvailPhys = 0;
  int32_t dwTotalPageFile = 0;
  int32_t dwAvailPageFile = 0;
  int32_t dwTotalVirtual = 0;
  int32_t dwAvailVirtual = 0;
};

class TWindowInfo {
 public:
  virtual ~TWindowInfo() = default;
  int32_t cbSize = 0;
  int32_t wl = 0, wt = 0, wr = 0, wb = 0;  // window rectangle
  int32_t cl = 0, ct = 0, cr = 0, cb = 0;  // client rectangle
  int32_t dwStyle = 0;
  int32_t dwExStyle = 0;
  int32_t dwWindowStatus = 0;
  int32_t cxWindowBorders = 0;
  int32_t cyWindowBorders = 0;
  int16_t atomWindowType = 0;
  int16_t wCreatorVersion = 0;
};

// New, empty records.
std::shared_ptr<TMemoryStatus> ccGetMemoryStatus();
std::shared_ptr<TWindowInfo> ccGetWindowInfo();
std::shared_ptr<TWindowInfo> ccGetWindowInfoHandle(int handle);

class TValue;
using TValuePtr = std::shared_ptr<TValue>;

class TValue {
 public:
  virtual ~TValue() = default;
  String name;
  int value = 0;
  static TValuePtr Create(const String& name, int value);
  // name + "=" + value to the standard output.
  virtual int PrintValue() const;
};

class TValueList;
using TValueListPtr = std::shared_ptr<TValueList>;

class TValueList : public std::vector<TValuePtr> {
 public:
  virtual ~TValueList() = default;
  static TValueListPtr Create(const String& path);
  virtual int AddTValue(const TValuePtr& value);
  virtual TValuePtr AddValue(const String& name, int value);
  // From 0; none when absent.
  virtual TValuePtr GetValueByIndex(int index) const;
  // The first whose name equals it exactly; none when absent.
  virtual TValuePtr GetValueByName(const String& name) const;
  virtual int PrintList() const;
  // "name=value" lines of the file (fatal when it cannot be opened).
  virtual int Read(const String& path);
};
