// zelrun.exe, the demonstration scene player: a stand-in that shows which scene
// it was asked to play, whether the file is there, and its first lines. It
// reads its one argument with the C runtime's rules, as any player would.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr char kWindowClass[] = "NimbrelZelrunDemo";
constexpr char kProgramName[] = "zelrun";
constexpr int kTextId = 100;
constexpr int kShownLines = 20;
constexpr size_t kReadLimit = 8192;            // enough for the shown lines
constexpr char kNewLine[] = "\r\n";            // what an edit control breaks on
constexpr char kFound[] = "found";

// The file title: no drive (two characters when the second is ':'), no
// directory (up to the last '/' or '\') and no extension (from the last '.').
std::string FileTitle(const std::string& path)
{
    size_t start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    const size_t slash = path.find_last_of("/\\");
    if (slash != std::string::npos && slash >= start)
        start = slash + 1;
    const std::string name = path.substr(start);
    return name.substr(0, name.find_last_of('.'));
}

std::string FileState(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "not found";
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? "a folder, not a scene file" : kFound;
}

// The first lines of the file, each ended by kNewLine; control characters are
// shown as '.' so that a binary file cannot cut the text short.
std::string FirstLines(const std::string& path)
{
    // C stdio rather than a file stream: streams would bring the runtime's
    // locale machinery into the program and make it several times larger.
    const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    std::string head(kReadLimit, '\0');
    head.resize(file ? std::fread(head.data(), 1, head.size(), file.get()) : 0);

    std::string text;
    int lines = 0;
    for (size_t i = 0; i < head.size() && lines < kShownLines; ++i) {
        const unsigned char c = static_cast<unsigned char>(head[i]);
        if (c == '\n') {
            text += kNewLine;
            ++lines;
        } else if (c != '\r') {
            text += (c < ' ' && c != '\t') ? '.' : head[i];
        }
    }
    return text;
}

std::string UsageText()
{
    return std::string("zelrun - demonstration scene player") + kNewLine + kNewLine +
           "Usage: zelrun.exe \"SCENE FILE\"" + kNewLine + kNewLine +
           "Shows the scene file's path and its first lines." + kNewLine;
}

std::string SceneText(const std::string& path, int extraArguments)
{
    const std::string state = FileState(path);
    std::string text = "Scene: " + path + kNewLine + "File: " + state + kNewLine;
    if (extraArguments > 0)
        text += "Ignored arguments after the scene: " + std::to_string(extraArguments) + kNewLine;
    if (state == kFound)
        text += std::string(kNewLine) + FirstLines(path);
    return text;
}

// Called when the frame is created: the text window fills it and shows the
// text handed over as the creation parameter.
void OnCreate(HWND hwnd, const CREATESTRUCTA& create)
{
    const auto* text = static_cast<const std::string*>(create.lpCreateParams);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text->c_str(),
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
            ES_AUTOVSCROLL | ES_AUTOHSCROLL,
        0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)),
        create.hInstance, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), FALSE);
}

// Called when the frame changes size: the text window follows.
void OnSize(HWND hwnd, int width, int height)
{
    MoveWindow(GetDlgItem(hwnd, kTextId), 0, 0, width, height, TRUE);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam)); return 0;
    case WM_SIZE: OnSize(hwnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS: SetFocus(GetDlgItem(hwnd, kTextId)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool RegisterFrameClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    // __argv is the runtime's reading of the command line: argv[1] is the scene.
    const bool hasScene = __argc >= 2;
    const std::string scene = hasScene ? __argv[1] : "";
    std::string title = hasScene ? FileTitle(scene) : "";
    if (title.empty())
        title = kProgramName;
    const std::string text = hasScene ? SceneText(scene, __argc - 2) : UsageText();

    if (!RegisterFrameClass(instance))
        return EXIT_FAILURE;
    HWND frame = CreateWindowExA(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr, nullptr, instance,
        const_cast<std::string*>(&text));
    if (!frame)
        return EXIT_FAILURE;
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
