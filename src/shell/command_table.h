#pragma once

#include <functional>
#include <map>
#include <type_traits>
#include <utility>

namespace tesvar {

// The main window's command table: command id -> what the window does for it. Menu
// items, accelerators, toolbar buttons and commands sent by the document all dispatch
// through it. A handler returns whether it did its work; one that returns nothing
// counts as done.
class CommandTable {
public:
    using Handler = std::function<bool()>;

    template <class F>
    void connect(int id, F handler)
    {
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>)
            handlers[id] = [h = std::move(handler)]() mutable {
                h();
                return true;
            };
        else
            handlers[id] = [h = std::move(handler)]() mutable { return static_cast<bool>(h()); };
    }

    bool isConnected(int id) const { return handlers.contains(id); }

    // Runs the command's handler; false when no handler is connected.
    bool dispatch(int id) const
    {
        const auto it = handlers.find(id);
        if (it == handlers.end())
            return false;
        // A copy, so that a handler may connect commands while it runs.
        Handler handler = it->second;
        return handler();
    }

private:
    std::map<int, Handler> handlers;
};

}  // namespace tesvar
