#include "core/TDebugRecords.h"

#include "core/ErrorPath.h"
#include "core/IniFunctions.h"
#include "platform/System.h"

std::shared_ptr<TMemoryStatus> ccGetMemoryStatus() { return std::make_shared<TMemoryStatus>(); }
std::shared_ptr<TWindowInfo> ccGetWindowInfo() { return std::make_shared<TWindowInfo>(); }
std::shared_ptr<TWindowInfo> ccGetWindowInfoHandle(int) { return std::make_shared<TWindowInfo>(); }

TValuePtr TValue::Create(const String& name, int value) {
  auto v = std::make_shared<TValue>();
  v->name = name;
  v->value = value;
  return v;
}

int TValue::PrintValue() const {
  platform::Print(name + u"=" + ccIntToString(value));
  return 0;
}

TValueListPtr TValueList::Create(const String& path) {
  auto list = std::make_shared<TValueList>();
  list->Read(path);
  return list;
}

int TValueList::AddTValue(const TValuePtr& value) {
  if (value) push_back(value);
  return 0;
}

TValuePtr TValueList::AddValue(const String& name, int value) {
  TValuePtr v = TValue::Create(name, value);
  push_back(v);
  return v;
}

TValuePtr TValueList::GetValueByIndex(int index) const {
  if (index < 0 || index >= static_cast<int>(size())) return nullptr;
  return (*this)[static_cast<size_t>(index)];
}

TValuePtr TValueList::GetValueByName(const String& name) const {
  for (const TValuePtr& v : *this) {
    if (v->name == name) return v;
  }
  return nullptr;
}

int TValueList::PrintList() const {
  for (const TValuePtr& v : *this) v->PrintValue();
  return 0;
}

int TValueList::Read(const String& path) {
  auto stream = ccLoadFile(path);
  while (!stream->Eof()) {
    const String line = stream->ReadLine();
    AddValue(ccIniFirstString(line), ccStringToInt(ccIniLastString(line)));
  }
  stream->Close();
  return 0;
}
