#pragma once
// The machine-wide settings store that keeps the company data: one key with
// string values. Values are code page 1251 texts.

#include <string>

#include "common/status.h"

namespace zel {

class SettingsStore {
public:
  virtual ~SettingsStore() = default;

  // True when the key exists; never creates it.
  virtual bool KeyExists() = 0;
  // Creates the key when it is missing.
  virtual Status CreateKey() = 0;
  // The value's text; empty when the value or the key is absent.
  virtual std::string Read(const std::string& name) = 0;
  // Writes one string value (creating the key when needed) and makes it durable.
  virtual Status Write(const std::string& name, const std::string& value) = 0;
};

}  // namespace zel
