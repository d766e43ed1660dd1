// The About and advertisement subsystem's message texts.
#pragma once

namespace velmora {

enum class AboutMsg { TextNotConvertible };

inline const wchar_t* AboutMessage(AboutMsg id) {
    switch (id) {
        case AboutMsg::TextNotConvertible:
            return L"文本无法转换为系统代码页，不能计算其MD5摘要。";
    }
    return L"";
}

}  // namespace velmora
