// A streaming XML reader over expat: element starts and ends by local name (the prefix
// left out), attributes by local name, and the character data between.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qlnx {

// An element's attributes: the value of the attribute of that local name, or nullptr.
class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs) : pairs_(pairs) {}
    const char* Get(std::string_view localName) const;

private:
    const char** pairs_;
};

// The local name of a name "prefix:local".
std::string_view LocalName(const char* name);

class XmlStream {
public:
    struct Handlers {
        std::function<void(std::string_view name, const XmlAttributes& attributes)> Start;
        std::function<void(std::string_view name)> End;
        std::function<void(std::string_view text)> Text;
    };
    // what names the document in messages ("the sheet Data").
    XmlStream(Handlers handlers, std::string what);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    // Feeds the next piece; throws qlnx::Error when the XML is not well formed. A handler's
    // exception stops the parse and is thrown from here.
    void Feed(std::string_view piece);
    void Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace qlnx
