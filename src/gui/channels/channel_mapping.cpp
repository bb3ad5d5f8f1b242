#include "gui/channels/channel_mapping.h"

#include <QCryptographicHash>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/text_decoding.h"

namespace qlnx {

namespace {

// The header lies in the first lines; this much of a file holds them.
constexpr std::streamsize kHeadBytes = 256 * 1024;

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The settings group of a key: its hash, so that any header text makes a valid key.
QString GroupOf(const std::string& key) {
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(key), QCryptographicHash::Sha1);
    return QStringLiteral("ChannelLayouts/") + QString::fromLatin1(hash.toHex());
}

QString Number(double v) { return QString::number(v, 'g', 17); }

}  // namespace

std::string LayoutKey(const ChannelLayout& layout) {
    if (layout.NameLine == 0 && layout.UnitLine == 0) return {};
    std::string key;
    for (const Channel& channel : layout.Channels) {
        if (!key.empty()) key += '\t';
        key += channel.Name;
        if (!channel.Unit.empty()) key += " [" + channel.Unit + "]";
    }
    return key;
}

std::optional<ChannelLayout> ReadHeadLayout(const std::string& path, int32_t firstLine,
                                            DecimalMode decimal) {
    // A pipe gives its text once: only a regular file is looked into before the import.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes(static_cast<size_t>(kHeadBytes), '\0');
    file.read(bytes.data(), kHeadBytes);
    bytes.resize(static_cast<size_t>(file.gcount()));
    if (file.gcount() == kHeadBytes) {
        // Whole lines only; a UTF-16 line break ("\n\0") keeps its second byte.
        const size_t end = bytes.rfind('\n');
        if (end == std::string::npos) return std::nullopt;
        size_t keep = end + 1;
        if (keep % 2 == 1 && keep < bytes.size() && bytes[keep] == '\0') ++keep;
        bytes.resize(keep);
    }
    DecodeText(bytes);
    return DetectChannelLayout(bytes, firstLine, decimal);
}

std::optional<ChannelSettings> LoadChannelMapping(QSettings& settings, const std::string& key) {
    if (key.empty()) return std::nullopt;
    settings.beginGroup(GroupOf(key));
    const bool stored = settings.value(QStringLiteral("Header")).toString() == Text(key);
    ChannelSettings m;
    if (stored) {
        m.Displacement = settings.value(QStringLiteral("Displacement")).toString().toStdString();
        m.Force = settings.value(QStringLiteral("Force")).toString().toStdString();
        m.LengthUnit = settings.value(QStringLiteral("LengthUnit")).toString().toStdString();
        m.ForceUnit = settings.value(QStringLiteral("ForceUnit")).toString().toStdString();
        bool ok = false;
        const double drift = settings.value(QStringLiteral("DriftHeight")).toDouble(&ok);
        if (ok && drift > 0) m.DriftHeight = drift;
        // Per channel: name, unit ("-" keeps the file's), zero samples, factor, offset.
        const QStringList rows = settings.value(QStringLiteral("Channels")).toStringList();
        for (const QString& row : rows) {
            const QStringList f = row.split(QLatin1Char('\t'));
            if (f.size() != 5) continue;
            const std::string name = f[0].toStdString();
            if (f[1] != QStringLiteral("-")) m.Units.emplace_back(name, f[1].toStdString());
            const int zero = f[2].toInt();
            if (zero > 0) m.Zero.push_back({name, zero});
            const double factor = f[3].toDouble(&ok);
            const double offset = ok ? f[4].toDouble(&ok) : 0;
            if (ok && (factor != 1 || offset != 0)) m.Scale.push_back({name, factor, offset});
        }
    }
    settings.endGroup();
    if (!stored) return std::nullopt;
    return m;
}

void SaveChannelMapping(QSettings& settings, const std::string& key,
                        const ChannelSettings& mapping) {
    if (key.empty()) return;
    settings.remove(GroupOf(key));
    settings.beginGroup(GroupOf(key));
    settings.setValue(QStringLiteral("Header"), Text(key));
    settings.setValue(QStringLiteral("Displacement"), Text(mapping.Displacement));
    settings.setValue(QStringLiteral("Force"), Text(mapping.Force));
    settings.setValue(QStringLiteral("LengthUnit"), Text(mapping.LengthUnit));
    settings.setValue(QStringLiteral("ForceUnit"), Text(mapping.ForceUnit));
    settings.setValue(QStringLiteral("DriftHeight"),
                      mapping.DriftHeight ? Number(*mapping.DriftHeight) : QString());
    // One row a channel named in the mapping, in the order first named.
    std::vector<std::string> names;
    const auto note = [&names](const std::string& name) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    };
    for (const auto& [name, unit] : mapping.Units) note(name);
    for (const ChannelZero& z : mapping.Zero) note(z.Channel);
    for (const ChannelScale& s : mapping.Scale) note(s.Channel);
    QStringList rows;
    for (const std::string& name : names) {
        QString unit = QStringLiteral("-");
        for (const auto& [n, u] : mapping.Units) {
            if (n == name) unit = Text(u);
        }
        int zero = 0;
        for (const ChannelZero& z : mapping.Zero) {
            if (z.Channel == name) zero = z.Samples;
        }
        double factor = 1;
        double offset = 0;
        for (const ChannelScale& s : mapping.Scale) {
            if (s.Channel == name) {
                factor = s.Factor;
                offset = s.Offset;
            }
        }
        rows << QStringList{Text(name), unit, QString::number(zero), Number(factor), Number(offset)}
                    .join(QLatin1Char('\t'));
    }
    settings.setValue(QStringLiteral("Channels"), rows);
    settings.endGroup();
}

void ForgetChannelMapping(QSettings& settings, const std::string& key) {
    if (!key.empty()) settings.remove(GroupOf(key));
}

std::optional<ChannelSettings> MappingForImport(const std::string& path,
                                                const std::string& currentPath, int32_t firstLine,
                                                DecimalMode decimal,
                                                const std::optional<ChannelSettings>& current) {
    if (const auto layout = ReadHeadLayout(path, firstLine, decimal)) {
        QSettings settings;
        if (auto stored = LoadChannelMapping(settings, LayoutKey(*layout))) return stored;
    }
    if (path == currentPath) return current;
    return std::nullopt;
}

}  // namespace qlnx
