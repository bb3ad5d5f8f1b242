// The late-bound object interface: member lookup by name, invocation by id, and
// reference-counted object handles.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

namespace qlnx {

class AutoValue;

using DispId = int32_t;

// Invocation kinds (the IDispatch flags).
enum InvokeFlags : uint16_t {
    kDispatchMethod = 1,
    kDispatchPropertyGet = 2,
    kDispatchPropertyPut = 4,
};

// Identifier of the named argument that carries the new value of a property put.
inline constexpr DispId kDispIdPropertyPut = -3;
// Locale passed with every lookup and invocation: the system default locale.
inline constexpr uint32_t kLocaleSystemDefault = 2048;

// Arguments of one invocation, laid out as IDispatch expects them: args[0 .. count) holds
// the named arguments first, then the positional ones in reverse order (last argument
// first); namedIds[k] names args[k].
struct DispParams {
    const AutoValue* args = nullptr;
    uint32_t argCount = 0;
    const DispId* namedIds = nullptr;
    uint32_t namedCount = 0;
};

// An object reached through the automation interface. Reference counted: a new object
// starts with one reference, owned by the DispatchPtr that receives it.
class Dispatch {
public:
    Dispatch() = default;
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    void AddRef() { ++refs_; }
    void Release() {
        if (--refs_ == 0) delete this;
    }

    // The identifier of one member name (case-insensitive, as automation names are).
    // Throws AutomationError naming the member when the object has no such member.
    virtual DispId GetIDOfName(std::string_view name, uint32_t locale) = 0;
    // Invokes member id as method, property get or property put (flags). result is null
    // when the caller wants no result. Throws AutomationError with the object's
    // description of the failure.
    virtual void Invoke(DispId id, uint32_t locale, uint16_t flags, const DispParams& params,
                        AutoValue* result) = 0;

protected:
    virtual ~Dispatch() = default;

private:
    uint32_t refs_ = 1;
};

// Owning handle of one reference to a Dispatch object; copying adds a reference.
class DispatchPtr {
public:
    DispatchPtr() = default;
    // Takes over the reference the caller holds (e.g. of a new object).
    static DispatchPtr Adopt(Dispatch* object) {
        DispatchPtr p;
        p.object_ = object;
        return p;
    }
    // Adds a reference of its own.
    static DispatchPtr Share(Dispatch* object) {
        if (object != nullptr) object->AddRef();
        return Adopt(object);
    }
    DispatchPtr(const DispatchPtr& other) : object_(other.object_) {
        if (object_ != nullptr) object_->AddRef();
    }
    DispatchPtr(DispatchPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    DispatchPtr& operator=(DispatchPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~DispatchPtr() { reset(); }

    void reset() {
        if (Dispatch* o = std::exchange(object_, nullptr)) o->Release();
    }
    Dispatch* get() const { return object_; }
    Dispatch* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    Dispatch* object_ = nullptr;
};

}  // namespace qlnx
