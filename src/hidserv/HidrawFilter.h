// HidrawFilter.h - which hidraw nodes belong to the keyboard.
//
// hidapi 0.13 on hidraw lists one entry per top-level usage pair, so a node
// whose report descriptor has several collections appears several times with
// the same path. This turns such a listing into one record per node with the
// set of keyboard interfaces it serves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Interface.h"

namespace hidserv {

struct HidEnumerationEntry {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

struct KeyboardNode {
    std::string path;
    InterfaceMask interfaces = 0;
};

// The nodes of the keyboard (vendor 0x0C45, product 0x5004) that serve at
// least one of its four interfaces, in order of first appearance, each path once.
std::vector<KeyboardNode> selectKeyboardNodes(const std::vector<HidEnumerationEntry>& entries);

}  // namespace hidserv
