#include "base/texts.h"

#include <array>
#include <atomic>
#include <unordered_map>

namespace tbq {

namespace {

constexpr std::size_t kCount = static_cast<std::size_t>(TextId::Count);
using Table = std::array<const char16_t*, kCount>;

Table Index(std::span<const TextEntry> entries) {
    Table t{};
    for (const TextEntry& e : entries)
        if (static_cast<std::size_t>(e.id) < kCount) t[static_cast<std::size_t>(e.id)] = e.text;
    return t;
}

const Table& Of(Language language) {
    static const Table japanese = Index(JapaneseTexts());
    static const Table english = Index(EnglishTexts());
    return language == Language::English ? english : japanese;
}

// Set on the interface thread, read also by the network-time worker's messages.
std::atomic<Language> g_language{Language::Japanese};

}  // namespace

TextView TrIn(Language language, TextId id) {
    const std::size_t i = static_cast<std::size_t>(id);
    if (i >= kCount) return {};
    // A text the English table lacks shows in Japanese rather than not at all.
    const char16_t* text = Of(language)[i];
    if (!text) text = Of(Language::Japanese)[i];
    return text ? TextView(text) : TextView();
}

TextView Tr(TextId id) { return TrIn(g_language.load(std::memory_order_relaxed), id); }

Text Tr(TextId id, TextView value) {
    Text text(Tr(id));
    const std::size_t at = text.find(u"{0}");
    if (at != Text::npos) text.replace(at, 3, value);
    return text;
}

Language CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

std::optional<TextId> JapaneseTextId(TextView japanese) {
    static const auto index = [] {
        std::unordered_map<TextView, TextId> m;
        for (const TextEntry& e : JapaneseTexts()) m.emplace(TextView(e.text), e.id);
        return m;
    }();
    if (auto it = index.find(japanese); it != index.end()) return it->second;
    return std::nullopt;
}

void SetLanguage(Language language) { g_language.store(language, std::memory_order_relaxed); }

Language ChooseLanguage(std::int32_t setting, std::uint16_t uiLanguage) {
    if (setting == kLanguageJapanese) return Language::Japanese;
    if (setting == kLanguageEnglish) return Language::English;
    constexpr std::uint16_t kPrimaryJapanese = 0x11;  // LANG_JAPANESE
    return (uiLanguage & 0x3FF) == kPrimaryJapanese ? Language::Japanese : Language::English;
}

}  // namespace tbq
