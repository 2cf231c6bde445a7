#include "MacroImage.h"

#include <algorithm>

#include "LittleEndian.h"
#include "MacroActionCodec.h"

namespace macros {

namespace {

size_t actionsOf(const MacroRecord& m) {
    // A damaged file may claim more actions than the record has slots.
    return std::min<size_t>(m.actionCount, MAX_MACRO_ACTIONS);
}

}  // namespace

ImageSizes ComputeImageSizes(const MacroList& list) {
    ImageSizes sizes;
    uint32_t base = static_cast<uint32_t>(kImageHeaderSize + 2 * list.size());
    sizes.full = sizes.withoutNames = base;
    for (const MacroRecord& m : list) {
        const uint32_t block = static_cast<uint32_t>(4 + 4 * actionsOf(m));
        sizes.withoutNames += block;
        sizes.full += block + static_cast<uint32_t>(2 * m.nameLength());
    }
    return sizes;
}

std::vector<uint8_t> BuildMacroImage(const MacroList& list, uint32_t size, bool withNames) {
    const ImageSizes need = ComputeImageSizes(list);
    if (size < (withNames ? need.full : need.withoutNames) || size > 0xFFFF)
        return {};
    std::vector<uint8_t> image(size, 0);
    le::put16(&image[0], kImageMagic);
    le::put16(&image[2], static_cast<uint16_t>(size));
    le::put16(&image[4], static_cast<uint16_t>(list.size()));
    le::put16(&image[6], withNames ? 1 : 0);
    size_t pos = kImageHeaderSize + 2 * list.size();
    for (size_t i = 0; i < list.size(); ++i) {
        const MacroRecord& m = list[i];
        const size_t actions = actionsOf(m);
        const size_t nameLength = withNames ? m.nameLength() : 0;
        le::put16(&image[kImageHeaderSize + 2 * i], static_cast<uint16_t>(pos));
        le::put16(&image[pos], static_cast<uint16_t>(actions));
        image[pos + 2] = m.cycles;
        image[pos + 3] = static_cast<uint8_t>(nameLength);
        pos += 4;
        for (size_t a = 0; a < actions; ++a) {
            const EncodedAction e = EncodeAction(m.actions[a]);
            std::copy(e.begin(), e.end(), image.begin() + static_cast<std::ptrdiff_t>(pos));
            pos += 4;
        }
        for (size_t c = 0; c < nameLength; ++c) {
            le::put16(&image[pos], m.name[c]);
            pos += 2;
        }
    }
    return image;
}

MacroList DecodeMacroImage(const uint8_t* image, size_t size, const NamePrefixSource& prefix,
                           size_t maxRecords) {
    MacroList list;
    if (size < kImageHeaderSize || le::get16(image) != kImageMagic)
        return list;
    const size_t count = std::min<size_t>({le::get16(image + 4), maxRecords, MAX_MACROS});
    for (size_t i = 0; i < count; ++i) {
        const size_t indexAt = kImageHeaderSize + 2 * i;
        if (indexAt + 2 > size)
            break;
        const size_t block = le::get16(image + indexAt);
        if (block + 4 > size)
            break;
        const size_t actions = le::get16(image + block);
        const size_t nameLength = image[block + 3];
        const size_t actionsEnd = block + 4 + 4 * actions;
        if (actions > MAX_MACRO_ACTIONS || actionsEnd + 2 * nameLength > size)
            break;

        MacroRecord m;
        m.cycles = image[block + 2];
        m.isNew = 0;
        m.playMode = 0;
        m.id = static_cast<uint16_t>(i + 1);
        m.actionCount = static_cast<uint16_t>(actions);
        for (size_t a = 0; a < actions; ++a) m.actions[a] = DecodeAction(image + block + 4 + 4 * a);
        // A name is its units up to the first zero; a block without one (or
        // whose name is empty) is named after MACRO_NEW_PREFIX and its number.
        std::u16string name;
        for (size_t c = 0; c < nameLength; ++c) {
            const char16_t unit = le::get16(image + actionsEnd + 2 * c);
            if (unit == 0)
                break;
            name.push_back(unit);
        }
        if (name.empty()) {
            name = prefix ? prefix() : std::u16string();
            for (char c : std::to_string(i + 1)) name.push_back(static_cast<char16_t>(c));
        }
        m.setName(name);
        list.push_back(m);
    }
    return list;
}

PreparedImage PrepareMacroImage(const MacroList& list, uint32_t capacity) {
    PreparedImage prepared;
    const ImageSizes sizes = ComputeImageSizes(list);
    if (sizes.withoutNames > capacity)
        return prepared;
    const bool withNames = sizes.full <= capacity;
    prepared.bytes = BuildMacroImage(list, withNames ? sizes.full : sizes.withoutNames, withNames);
    if (prepared.bytes.empty())
        return prepared;
    prepared.plan = withNames ? ImagePlan::WithNames : ImagePlan::WithoutNames;
    return prepared;
}

size_t FindMacroPosition(const MacroList& list, uint16_t id) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].id == id)
            return i;
    return 0;
}

uint16_t AllocateMacroId(const std::vector<uint16_t>& idsInUse) {
    for (uint16_t id = 1; id <= MAX_MACROS; ++id)
        if (std::find(idsInUse.begin(), idsInUse.end(), id) == idsInUse.end())
            return id;
    return 0;
}

}  // namespace macros
