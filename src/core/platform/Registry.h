#pragma once
// The user's settings store: keys holding typed values.

#include <optional>
#include <string>

#include "platform/WriteResult.h"

enum class RegKey { Program, Shared };

class Registry {
  public:
    virtual ~Registry() = default;
    virtual bool has(RegKey key, const std::string& name) = 0;
    // nullopt when the value is missing or not of the asked type.
    virtual std::optional<std::string> readText(RegKey key, const std::string& name) = 0;
    virtual std::optional<int> readInt(RegKey key, const std::string& name) = 0;
    virtual std::optional<bool> readBool(RegKey key, const std::string& name) = 0;
    // Each write stores the value for good (the store is written out at once); a store
    // that cannot be written keeps its old contents and says why.
    virtual WriteResult writeText(RegKey key, const std::string& name,
                                  const std::string& value) = 0;
    virtual WriteResult writeInt(RegKey key, const std::string& name, int value) = 0;
    virtual WriteResult writeBool(RegKey key, const std::string& name, bool value) = 0;
};
