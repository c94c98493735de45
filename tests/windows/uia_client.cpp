// Reads Tellwick's window from outside through UI Automation, as Narrator
// does, and prints what it finds, one line each, for uia.sh to compare:
//   uia_client window HEADING    every box, button and text of the window
//   uia_client follow            each control that takes the focus, as it takes it,
//                                until the window is gone
//   uia_client refusal           every box, button and text of the refusal's box
// Each run is a UI Automation client that Qt tells its notifications to.
#include <windows.h>

#include <uiautomation.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

IUIAutomation* automation;

std::string utf8(BSTR text)
{
    std::string s(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), static_cast<int>(s.size()), nullptr, nullptr);
    s.pop_back(); // the terminating zero
    SysFreeString(text);
    return s;
}

const char* kind(CONTROLTYPEID type)
{
    switch (type) {
    case UIA_EditControlTypeId: return "edit";
    case UIA_ButtonControlTypeId: return "button";
    case UIA_TextControlTypeId: return "text";
    default: return nullptr;
    }
}

// "kind name": a box, a button, a text, or another control by its type's number.
std::string describe(IUIAutomationElement* element)
{
    CONTROLTYPEID type = 0;
    BSTR name = nullptr;
    element->get_CurrentControlType(&type);
    element->get_CurrentName(&name);
    std::string text = name ? utf8(name) : "";
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
        text.replace(at, 1, "\\n"); // one line each
    return (kind(type) ? std::string(kind(type)) : "control " + std::to_string(type)) + " " + text;
}

// Every box, button and text of a window, in the tree's order.
void printControls(HWND window, const char* heading)
{
    IUIAutomationElement* root = nullptr;
    IUIAutomationCondition* all = nullptr;
    IUIAutomationElementArray* found = nullptr;
    automation->ElementFromHandle(window, &root);
    automation->CreateTrueCondition(&all);
    root->FindAll(TreeScope_Descendants, all, &found);
    int count = 0;
    found->get_Length(&count);
    for (int i = 0; i < count; ++i) {
        IUIAutomationElement* element = nullptr;
        found->GetElement(i, &element);
        CONTROLTYPEID type = 0;
        element->get_CurrentControlType(&type);
        if (kind(type)) // what a screen reader reads of the window
            std::printf("%s: %s\n", heading, describe(element).c_str());
        element->Release();
    }
    found->Release();
    all->Release();
    root->Release();
}

// Tells each control that takes the focus, as a screen reader follows it.
class FocusFollower : public IUIAutomationFocusChangedEventHandler {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id != IID_IUnknown && id != IID_IUIAutomationFocusChangedEventHandler)
            return E_NOINTERFACE;
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; } // lives as long as main()
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE HandleFocusChangedEvent(IUIAutomationElement* sender) override
    {
        std::printf("focus: %s\n", describe(sender).c_str());
        std::fflush(stdout);
        return S_OK;
    }
};

HWND waitForWindow(const wchar_t* title)
{
    for (int i = 0; i < 300; ++i) {
        if (HWND window = FindWindowW(nullptr, title))
            return window;
        Sleep(100);
    }
    std::printf("no window titled %ls\n", title);
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    const std::string what = argv[1];
    const char* heading = argc > 2 ? argv[2] : argv[1];
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(CoCreateInstance(CLSID_CUIAutomation, nullptr, CLSCTX_INPROC_SERVER, IID_IUIAutomation,
                                reinterpret_cast<void**>(&automation)))) {
        std::printf("no UI Automation\n");
        return 1;
    }
    const HWND window = waitForWindow(what == "refusal" ? L"Critical Error" : L"Which Day.........?");
    if (what == "follow") {
        FocusFollower follower;
        automation->AddFocusChangedEventHandler(nullptr, &follower);
        std::printf("following\n");
        std::fflush(stdout);
        while (IsWindow(window))
            Sleep(200);
        automation->RemoveFocusChangedEventHandler(&follower);
    } else {
        printControls(window, heading);
    }
    automation->Release();
    CoUninitialize();
    return 0;
}
