// How a file layout's channels become the curve, remembered per header: the same name and
// unit rows get the same expressions, units and calibration the next time a record with them
// is imported.
#pragma once

#include <optional>
#include <string>

#include "core/channel_import.h"
#include "core/header_detection.h"

class QSettings;

namespace qlnx {

// The key of a layout: its channels' names and units as the header writes them; empty when
// the record has no name or unit row (a record of bare columns is not remembered).
std::string LayoutKey(const ChannelLayout& layout);

// The layout of the record at path from the boxes' first line, read from the head of the
// file only (the header lies there); nullopt when the file cannot be read or has no data row
// there.
std::optional<ChannelLayout> ReadHeadLayout(const std::string& path, int32_t firstLine,
                                            DecimalMode decimal);

// The mapping stored for a layout key (settings group "ChannelLayouts"); nullopt when none.
std::optional<ChannelSettings> LoadChannelMapping(QSettings& settings, const std::string& key);
void SaveChannelMapping(QSettings& settings, const std::string& key,
                        const ChannelSettings& mapping);
void ForgetChannelMapping(QSettings& settings, const std::string& key);

}  // namespace qlnx

namespace qlnx {

// The mapping an import of path uses: the one remembered for the file's layout, else current
// when the record being read again is currentPath, else none (the two columns).
std::optional<ChannelSettings> MappingForImport(const std::string& path,
                                                const std::string& currentPath, int32_t firstLine,
                                                DecimalMode decimal,
                                                const std::optional<ChannelSettings>& current);

}  // namespace qlnx
