#include "qt/QtRegistry.h"

#include "text/Sjis.h"

namespace {
QString fromSjis(const std::string& s) {
    return QString::fromStdString(sjis::toUtf8(s));
}
} // namespace

QtRegistry::QtRegistry()
    : program_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           QStringLiteral("Velmix++"), QStringLiteral("VelmixEQ"))),
      shared_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Velmix"), QStringLiteral("Common"))) {}

QtRegistry::~QtRegistry() = default;

QSettings& QtRegistry::store(RegKey key) {
    return key == RegKey::Shared ? *shared_ : *program_;
}

QString QtRegistry::storedName(RegKey key, const std::string& name) {
    QSettings& s = store(key);
    const QString wanted = fromSjis(name);
    if (s.contains(wanted)) return wanted;
    const QStringList names = s.childKeys();
    for (const QString& n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0) return n;
    return wanted;
}

bool QtRegistry::has(RegKey key, const std::string& name) {
    return store(key).contains(storedName(key, name));
}

// Settings files keep no types: a value read back from the file is a string, so numbers
// and flags are recognised from their text as well.
std::optional<std::string> QtRegistry::readText(RegKey key, const std::string& name) {
    const QVariant v = store(key).value(storedName(key, name));
    if (!v.isValid()) return std::nullopt;
    // An unquoted text with commas in a hand-edited file reads as a list.
    if (v.typeId() == QMetaType::QStringList)
        return sjis::fromUtf8(v.toStringList().join(QStringLiteral(", ")).toStdString());
    // Numbers and flags read back from the file as text, so they read as text always.
    const int type = v.typeId();
    if (type != QMetaType::QString && type != QMetaType::QByteArray && type != QMetaType::Int &&
        type != QMetaType::Bool)
        return std::nullopt;
    return sjis::fromUtf8(v.toString().toStdString());
}

std::optional<int> QtRegistry::readInt(RegKey key, const std::string& name) {
    const QVariant v = store(key).value(storedName(key, name));
    if (v.typeId() == QMetaType::Int) return v.toInt();
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

std::optional<bool> QtRegistry::readBool(RegKey key, const std::string& name) {
    const QVariant v = store(key).value(storedName(key, name));
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    const QString t = v.toString().trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

void QtRegistry::write(RegKey key, const std::string& name, const QVariant& value) {
    QSettings& s = store(key);
    const QString stored = storedName(key, name);
    // Writing the value the store already holds would only rewrite the file.
    const QVariant old = s.value(stored);
    if (old.isValid() && old.typeId() != QMetaType::QStringList &&
        old.toString() == value.toString())
        return;
    s.setValue(stored, value);
    s.sync();
}

void QtRegistry::writeText(RegKey key, const std::string& name, const std::string& value) {
    write(key, name, fromSjis(value));
}

void QtRegistry::writeInt(RegKey key, const std::string& name, int value) {
    write(key, name, value);
}

void QtRegistry::writeBool(RegKey key, const std::string& name, bool value) {
    write(key, name, value);
}
