#include "HidrawFilter.h"

#include "hidserv/HidServ.h"

namespace hidserv {

std::vector<KeyboardNode> selectKeyboardNodes(const std::vector<HidEnumerationEntry>& entries) {
    std::vector<KeyboardNode> nodes;
    for (const HidEnumerationEntry& entry : entries) {
        if (entry.path.empty())
            continue;
        if (entry.vendorId != HIDSERV_VENDOR_ID || entry.productId != HIDSERV_PRODUCT_ID)
            continue;
        auto interface = interfaceForUsage(entry.usagePage, entry.usage);
        if (!interface)
            continue;
        auto it = nodes.begin();
        while (it != nodes.end() && it->path != entry.path) ++it;
        if (it == nodes.end()) {
            nodes.push_back({entry.path, maskOf(*interface)});
        } else {
            it->interfaces |= maskOf(*interface);
        }
    }
    return nodes;
}

}  // namespace hidserv
