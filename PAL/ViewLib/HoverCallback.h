#pragma once
// What a view calls when the pointer enters or leaves it. The window installs one per view (the
// tooltip follows the control under the pointer); the view owns it.

class View;

class HoverCallbackBase {
public:
    virtual ~HoverCallbackBase() = default;
    virtual void Invoke(View* view) { (void)view; }
};

// Calls a member function of a window with the view.
template <class Window>
class HoverCallback : public HoverCallbackBase {
public:
    using Method = void (Window::*)(View*);
    HoverCallback(Window* window, Method method) : m_window(window), m_method(method) {}
    void Invoke(View* view) override
    {
        if (m_window && m_method)
            (m_window->*m_method)(view);
    }
    Window* GetWindow() const { return m_window; }

private:
    Window* m_window;
    Method m_method;
};
