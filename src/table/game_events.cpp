#include "table/game_events.h"

#include <algorithm>

#include "platform/find_byte.h"
#include "platform/same_bytes.h"

namespace gravmark {

namespace {

std::string_view kept(std::string_view text, int width) {
    if (const char* nul = platform::findByte(text.data(), text.data() + text.size(), '\0'))
        text = text.substr(0, static_cast<size_t>(nul - text.data()));
    return text.substr(0, size_t(std::max(width, 0)));
}

}  // namespace

uint32_t GameEvents::intern(std::string_view text, int width) { return texts_.intern(kept(text, width)); }

uint32_t GameEvents::internNext(uint32_t GameEvent::*field, std::string_view text, int width) {
    text = kept(text, width);
    if (!list.empty()) {
        const uint32_t last = list.back().*field;
        if (last != kNoText && platform::sameBytes(texts_.text(last), text)) return last;
    }
    return texts_.intern(text);
}

uint32_t GameEvents::find(std::string_view text) const {
    const uint32_t id = texts_.find(text);
    return id == StringPool::kNotFound ? kNoText : id;
}

EventKind GameEvents::kindOf(std::string_view command) {
    if (command == "J") return EventKind::Join;
    if (command == "K") return EventKind::Kill;
    return EventKind::Other;
}

void GameEvents::clear() {
    list.clear();
    texts_.clear();
}

void GameEvents::append(const GameEvents& from, int32_t gameOffset) {
    std::vector<uint32_t> idOfText(from.textCount(), kNoText);
    for (uint32_t id = 0; id < from.textCount(); ++id) idOfText[id] = texts_.intern(from.text(id));
    list.reserve(list.size() + from.list.size());
    for (GameEvent event : from.list) {
        for (const EventTextField& field : kEventTextFields) {
            uint32_t& id = event.*field.member;
            if (id != kNoText) id = idOfText[id];
        }
        if (event.game) *event.game += gameOffset;
        list.push_back(event);
    }
}

}  // namespace gravmark
