#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <type_traits>
#include <typeindex>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// Holds the process-wide objects. Each is created on first use and all are destroyed in
// the reverse order of their creation, so an object that uses another while it is being
// created (and so makes it first) can still use it while it is being destroyed.
// A program or a test owns one context; a fresh context gives fresh objects.
class ProcessContext {
public:
    ProcessContext() = default;
    ProcessContext(const ProcessContext&) = delete;
    ProcessContext& operator=(const ProcessContext&) = delete;
    ~ProcessContext() { DestroyAll(); }

    // The object of type T, created on first use: by the factory given to Provide<T>, else by
    // T::CreateDefault(context), else as T(context) or T().
    template <class T>
    T& Get() {
        const std::type_index key(typeid(T));
        auto found = index_.find(key);
        if (found != index_.end()) {
            return *static_cast<T*>(objects_[found->second].object.get());
        }
        if (!creating_.insert(key).second) {
            Fail("process-wide object needs itself while it is created");
        }
        std::shared_ptr<void> object = Create<T>(key);
        creating_.erase(key);
        index_[key] = objects_.size();
        objects_.push_back({key, object});
        T& instance = *static_cast<T*>(object.get());
        if constexpr (HasJoinContext<T>::value) {
            instance.JoinContext(*this);
        }
        return instance;
    }

    template <class T>
    bool Has() const {
        return index_.count(std::type_index(typeid(T))) != 0;
    }

    // Chooses how T is made; used for the interfaces whose implementation the program picks
    // (widgets in rvtool, the terminal in rvctl, recorders in tests). Only before first use.
    template <class T>
    void Provide(std::function<std::unique_ptr<T>(ProcessContext&)> factory) {
        factories_[std::type_index(typeid(T))] = [factory](ProcessContext& context) {
            return std::shared_ptr<void>(factory(context).release(),
                                         [](void* p) { delete static_cast<T*>(p); });
        };
    }

    // Makes an existing object, owned elsewhere, the instance of T.
    template <class T>
    void ProvideExternal(T& instance) {
        factories_[std::type_index(typeid(T))] = [&instance](ProcessContext&) {
            return std::shared_ptr<void>(&instance, [](void*) {});
        };
    }

    // Makes Get<Interface>() answer with Get<Implementation>(), so both reach one object.
    template <class Interface, class Implementation>
    void ProvideAs() {
        factories_[std::type_index(typeid(Interface))] = [](ProcessContext& context) {
            Interface& instance = context.Get<Implementation>();
            return std::shared_ptr<void>(&instance, [](void*) {});
        };
    }

    // Destroys every object now, newest first; the context can be used again afterwards.
    void DestroyAll() {
        while (!objects_.empty()) {
            Slot slot = std::move(objects_.back());
            objects_.pop_back();
            index_.erase(slot.type);
            slot.object
                .reset();  // may create and register further objects; the loop takes them too
        }
    }

private:
    // An interface may name its usual implementation with a static CreateDefault(context).
    template <class T, class = void>
    struct HasCreateDefault : std::false_type {};
    template <class T>
    struct HasCreateDefault<
        T, std::void_t<decltype(T::CreateDefault(std::declval<ProcessContext&>()))>>
        : std::true_type {};

    // An object provided from outside the context (one notifier for several contexts, say) may
    // need others of the context it serves: T::JoinContext(context) is called once it is T there.
    template <class T, class = void>
    struct HasJoinContext : std::false_type {};
    template <class T>
    struct HasJoinContext<
        T, std::void_t<decltype(std::declval<T&>().JoinContext(std::declval<ProcessContext&>()))>>
        : std::true_type {};

    struct Slot {
        std::type_index type;
        std::shared_ptr<void> object;
    };

    template <class T>
    std::shared_ptr<void> Create(const std::type_index& key) {
        auto factory = factories_.find(key);
        if (factory != factories_.end()) {
            return factory->second(*this);
        }
        if constexpr (HasCreateDefault<T>::value) {
            return std::shared_ptr<void>(T::CreateDefault(*this).release(),
                                         [](void* p) { delete static_cast<T*>(p); });
        } else if constexpr (std::is_constructible_v<T, ProcessContext&>) {
            return std::shared_ptr<void>(new T(*this), [](void* p) { delete static_cast<T*>(p); });
        } else if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>) {
            return std::shared_ptr<void>(new T(), [](void* p) { delete static_cast<T*>(p); });
        } else {
            Fail("no implementation was provided for a process-wide interface");
            return nullptr;
        }
    }

    [[noreturn]] static void Fail(const char* what) {
        std::fprintf(stderr, "ProcessContext: %s\n", what);
        std::abort();
    }

    std::vector<Slot> objects_;
    std::unordered_map<std::type_index, std::size_t> index_;
    std::unordered_set<std::type_index> creating_;
    std::unordered_map<std::type_index, std::function<std::shared_ptr<void>(ProcessContext&)>>
        factories_;
};
