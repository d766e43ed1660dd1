#include "about/about_box.h"

#include "runtime/processes.h"

namespace velmora {

namespace {

// The description may mark line breaks with the two characters "\n".
std::wstring ExpandLineBreaks(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size() && text[i + 1] == L'n') {
            out += L"\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

AboutTexts MakeAboutTexts(std::wstring_view exeName, const VersionFacts& facts) {
    AboutTexts texts;
    texts.caption = L"关于 " + std::wstring(exeName) + L" --By Tarvik软件";
    texts.productName = facts.productName;
    texts.version = L"Ver: " + std::to_wstring(facts.major) + L"." + std::to_wstring(facts.minor) +
                    L"." + std::to_wstring(facts.revision);
    texts.description = ExpandLineBreaks(facts.description);
    return texts;
}

void OpenAddress(Processes& processes, std::wstring_view address) {
    // Nothing waits for the browser, and a failed start is not reported.
    processes.Start(L"explorer \"" + std::wstring(address) + L"\"", Show::Minimized);
}

}  // namespace velmora
