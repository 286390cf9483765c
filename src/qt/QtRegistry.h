#pragma once
// The settings store in the user's native settings: the program key is organisation
// "Velmix++", application "VelmixEQ"; the shared key organisation "Velmix", application
// "Common". Texts are kept as Unicode strings, numbers as ints, flags as bools. Names
// match without regard to case, as registry value names do.
//
// Each store is read once with QSettings (so every file QSettings wrote reads as it
// did) and written whole, at every change, in the same INI form through the atomic save:
// QSettings' own sync can rename an empty file over the settings on a full disk and
// report success. A write takes the file as it stands then (another copy of the program
// may have changed it) and changes the one value. A write that fails leaves the file and
// the value as they were.

#include <QString>

class QSettings;
#include <QVariant>
#include <map>

#include "platform/Registry.h"

class QtRegistry : public Registry {
  public:
    QtRegistry();
    ~QtRegistry() override;

    bool has(RegKey key, const std::string& name) override;
    std::optional<std::string> readText(RegKey key, const std::string& name) override;
    std::optional<int> readInt(RegKey key, const std::string& name) override;
    std::optional<bool> readBool(RegKey key, const std::string& name) override;
    WriteResult writeText(RegKey key, const std::string& name, const std::string& value) override;
    WriteResult writeInt(RegKey key, const std::string& name, int value) override;
    WriteResult writeBool(RegKey key, const std::string& name, bool value) override;

    // The file that holds a key's values.
    QString fileName(RegKey key) const;
    // The INI text of values as this store writes it ("Group/name" keys go to [Group]).
    static QByteArray iniText(const std::map<QString, QVariant>& values);

  private:
    struct Store {
        QString path;
        std::map<QString, QVariant> values; // as QSettings names them: "name", "Group/name"
    };
    static Store load(QSettings& settings);
    Store& store(RegKey key);
    const QVariant* find(RegKey key, const std::string& name);
    WriteResult write(RegKey key, const std::string& name, const QVariant& value);

    Store program_;
    Store shared_;
};
