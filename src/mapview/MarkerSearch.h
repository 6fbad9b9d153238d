#pragma once

#include "mapview/MapScene.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavemark {

// The markers whose network name, BSSID or name (the BSSID's last octets
// without colons) holds `text` (UTF-8), in the scene's order, at most
// `most` of them. Letter case is ignored for the Latin letters, those of
// Latin-1 (é, Ä, ...) included, which covers BSSIDs' hex digits and most
// network names. An empty text matches nothing.
std::vector<uint32_t> MarkersMatching(const MapScene& scene, std::string_view text, size_t most);

} // namespace wavemark
