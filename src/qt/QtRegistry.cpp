#include "qt/QtRegistry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "qt/AtomicSave.h"
#include "text/Sjis.h"

namespace {

QString fromSjis(const std::string& s) {
    return QString::fromStdString(sjis::toUtf8(s));
}

bool isHexDigit(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// A key or group name as QSettings writes it: letters, digits, "_", "-" and "." as they
// are, anything else as %XX or %UXXXX.
QByteArray escapedName(const QString& name) {
    QByteArray out;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
            u == '_' || u == '-' || u == '.')
            out += static_cast<char>(u);
        else if (u < 0x100)
            out += '%' + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
        else
            out += "%U" + QByteArray::number(u, 16).rightJustified(4, '0').toUpper();
    }
    return out;
}

// A text in double quotes, read back by QSettings exactly: "\" and the quote escaped,
// control characters as \t, \n, \r or \xHH (a hex digit right behind \xHH escaped too,
// or it would be read as part of it), a leading "@" doubled.
QByteArray quotedText(const QString& text) {
    QByteArray out = "\"";
    bool afterHex = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        const bool hexNext = afterHex && isHexDigit(c);
        afterHex = false;
        if (i == 0 && u == '@')
            out += "@@";
        else if (u == '\\')
            out += "\\\\";
        else if (u == '"')
            out += "\\\"";
        else if (u == '\t')
            out += "\\t";
        else if (u == '\n')
            out += "\\n";
        else if (u == '\r')
            out += "\\r";
        else if (u < 0x20 || hexNext) {
            out += "\\x" + QByteArray::number(u, 16);
            afterHex = true;
        } else
            out += QString(c).toUtf8();
    }
    return out + '"';
}

QByteArray valueText(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? "true" : "false";
    case QMetaType::Int:
        return QByteArray::number(v.toInt());
    case QMetaType::QStringList: {
        QByteArray out;
        const QStringList items = v.toStringList();
        for (qsizetype i = 0; i < items.size(); ++i)
            out += (i > 0 ? ", " : "") + quotedText(items[i]);
        return items.size() == 1 ? out + ", " : out;
    }
    default:
        return quotedText(v.toString());
    }
}

} // namespace

QByteArray QtRegistry::iniText(const std::map<QString, QVariant>& values) {
    // Section by section: [General] first for the names without a group.
    std::map<QString, std::vector<std::pair<QString, const QVariant*>>> groups;
    for (const auto& [key, value] : values) {
        const qsizetype slash = key.indexOf(u'/');
        const QString group = slash < 0 ? QString() : key.left(slash);
        groups[group].push_back({slash < 0 ? key : key.mid(slash + 1), &value});
    }
    QByteArray out;
    for (const auto& [group, entries] : groups) {
        if (!out.isEmpty()) out += '\n';
        out += '[' + (group.isEmpty() ? QByteArray("General") : escapedName(group)) + "]\n";
        for (const auto& [name, value] : entries) {
            QByteArray escaped;
            const QStringList parts = name.split(u'/');
            for (qsizetype i = 0; i < parts.size(); ++i)
                escaped += (i > 0 ? "\\" : "") + escapedName(parts[i]);
            out += escaped + '=' + valueText(*value) + '\n';
        }
    }
    return out;
}

QtRegistry::Store QtRegistry::load(QSettings& settings) {
    // The user's own values only, as the user's registry key holds them.
    settings.setFallbacksEnabled(false);
    Store s;
    s.path = settings.fileName();
    const QStringList keys = settings.allKeys();
    for (const QString& key : keys)
        s.values[key] = settings.value(key);
    return s;
}

QtRegistry::QtRegistry() {
    for (auto [store, organisation, application] :
         {std::tuple{&program_, QStringLiteral("Velmix++"), QStringLiteral("VelmixEQ")},
          std::tuple{&shared_, QStringLiteral("Velmix"), QStringLiteral("Common")}}) {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, organisation,
                           application);
        *store = load(settings);
    }
}

QtRegistry::~QtRegistry() = default;

QtRegistry::Store& QtRegistry::store(RegKey key) {
    return key == RegKey::Shared ? shared_ : program_;
}

QString QtRegistry::fileName(RegKey key) const {
    return key == RegKey::Shared ? shared_.path : program_.path;
}

const QVariant* QtRegistry::find(RegKey key, const std::string& name) {
    const Store& s = store(key);
    const QString wanted = fromSjis(name);
    auto exact = s.values.find(wanted);
    if (exact != s.values.end()) return &exact->second;
    for (const auto& [stored, value] : s.values)
        if (!stored.contains(u'/') && stored.compare(wanted, Qt::CaseInsensitive) == 0)
            return &value;
    return nullptr;
}

bool QtRegistry::has(RegKey key, const std::string& name) {
    return find(key, name) != nullptr;
}

// Settings files keep no types: a value read back from the file is a string, so numbers
// and flags are recognised from their text as well.
std::optional<std::string> QtRegistry::readText(RegKey key, const std::string& name) {
    const QVariant* found = find(key, name);
    if (!found) return std::nullopt;
    const QVariant& v = *found;
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
    const QVariant* v = find(key, name);
    if (!v) return std::nullopt;
    if (v->typeId() == QMetaType::Int) return v->toInt();
    if (v->typeId() != QMetaType::QString) return std::nullopt;
    bool ok = false;
    const int n = v->toString().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

std::optional<bool> QtRegistry::readBool(RegKey key, const std::string& name) {
    const QVariant* v = find(key, name);
    if (!v) return std::nullopt;
    if (v->typeId() == QMetaType::Bool) return v->toBool();
    if (v->typeId() != QMetaType::QString) return std::nullopt;
    const QString t = v->toString().trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0) return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

WriteResult QtRegistry::write(RegKey key, const std::string& name, const QVariant& value) {
    Store& s = store(key);
    const QVariant* old = find(key, name);
    // Writing the value the store already holds would only rewrite the file.
    if (old && old->typeId() != QMetaType::QStringList && old->toString() == value.toString())
        return {};
    // The file as it stands now, with this one value changed; the name keeps its stored
    // spelling.
    QSettings current(s.path, QSettings::IniFormat);
    std::map<QString, QVariant> values = load(current).values;
    QString stored = fromSjis(name);
    if (!values.count(stored))
        for (const auto& [n, v] : values)
            if (!n.contains(u'/') && n.compare(stored, Qt::CaseInsensitive) == 0) {
                stored = n;
                break;
            }
    values[stored] = value;
    QDir().mkpath(QFileInfo(s.path).absolutePath());
    const SaveOutcome saved = AtomicSave(s.path, iniText(values));
    if (!saved.ok)
        return WriteResult::failed(
            sjis::fromUtf8((s.path + QStringLiteral(": ") + saved.reason).toStdString()));
    s.values = std::move(values);
    return {};
}

WriteResult QtRegistry::writeText(RegKey key, const std::string& name, const std::string& value) {
    return write(key, name, fromSjis(value));
}

WriteResult QtRegistry::writeInt(RegKey key, const std::string& name, int value) {
    return write(key, name, value);
}

WriteResult QtRegistry::writeBool(RegKey key, const std::string& name, bool value) {
    return write(key, name, value);
}
