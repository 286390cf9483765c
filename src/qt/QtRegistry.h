#pragma once
// The settings store in the user's native settings: the program key is organisation
// "Velmix++", application "VelmixEQ"; the shared key organisation "Velmix", application
// "Common". Texts are kept as Unicode strings, numbers as ints, flags as bools. Names
// match without regard to case, as registry value names do.

#include <memory>

#include <QSettings>

#include "platform/Registry.h"

class QtRegistry : public Registry {
  public:
    QtRegistry();
    ~QtRegistry() override;

    bool has(RegKey key, const std::string& name) override;
    std::optional<std::string> readText(RegKey key, const std::string& name) override;
    std::optional<int> readInt(RegKey key, const std::string& name) override;
    std::optional<bool> readBool(RegKey key, const std::string& name) override;
    void writeText(RegKey key, const std::string& name, const std::string& value) override;
    void writeInt(RegKey key, const std::string& name, int value) override;
    void writeBool(RegKey key, const std::string& name, bool value) override;

  private:
    QSettings& store(RegKey key);
    // The stored spelling of name, or name itself when no value of that name exists.
    QString storedName(RegKey key, const std::string& name);
    void write(RegKey key, const std::string& name, const QVariant& value);

    std::unique_ptr<QSettings> program_;
    std::unique_ptr<QSettings> shared_;
};
