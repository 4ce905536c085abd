// zelrun.exe, the demonstration scene player: a stand-in that shows which scene
// it was asked to play, whether the file is there, and its first lines. It
// reads its one argument with the C runtime's rules, as any player would, in
// UTF-16, so that a path with any character Windows allows arrives whole.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>

namespace {

constexpr wchar_t kWindowClass[] = L"NimbrelZelrunDemo";
constexpr wchar_t kProgramName[] = L"zelrun";
constexpr int kTextId = 100;
constexpr int kShownLines = 20;
constexpr size_t kReadLimit = 8192;            // enough for the shown lines
constexpr wchar_t kNewLine[] = L"\r\n";        // what an edit control breaks on
constexpr char kNarrowNewLine[] = "\r\n";
constexpr wchar_t kFound[] = L"found";
// Past this length a path is handed to the file functions in the extended
// form, which has no length limit whatever the system's long-path setting.
constexpr size_t kLongPath = MAX_PATH - 12;

// The file title: no drive (two characters when the second is ':'), no
// directory (up to the last '/' or '\') and no extension (from the last '.').
std::wstring FileTitle(const std::wstring& path)
{
    size_t start = path.size() >= 2 && path[1] == L':' ? 2 : 0;
    const size_t slash = path.find_last_of(L"/\\");
    if (slash != std::wstring::npos && slash >= start)
        start = slash + 1;
    const std::wstring name = path.substr(start);
    return name.substr(0, name.find_last_of(L'.'));
}

// The path as the file functions take it: a long one as a full path in the
// extended form ("\\?\C:\..." or "\\?\UNC\server\..."), a short one as given.
std::wstring FileAccessPath(const std::wstring& path)
{
    if (path.size() < kLongPath)
        return path;
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.empty() || full.compare(0, 4, L"\\\\?\\") == 0)
        return full.empty() ? path : full;
    return full.compare(0, 2, L"\\\\") == 0 ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

std::wstring FileState(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return L"not found";
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? L"a folder, not a scene file" : kFound;
}

// The bytes in the ANSI code page, as the player has always shown a file.
std::wstring FromAnsi(const std::string& bytes)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()))));
    return text;
}

// The first lines of the file, each ended by kNewLine; control characters are
// shown as '.' so that a binary file cannot cut the text short.
std::wstring FirstLines(const std::wstring& path)
{
    // C stdio rather than a file stream: streams would bring the runtime's
    // locale machinery into the program and make it several times larger.
    const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(_wfopen(path.c_str(), L"rb"), &std::fclose);
    std::string head(kReadLimit, '\0');
    head.resize(file ? std::fread(head.data(), 1, head.size(), file.get()) : 0);

    std::string text;
    int lines = 0;
    for (size_t i = 0; i < head.size() && lines < kShownLines; ++i) {
        const unsigned char c = static_cast<unsigned char>(head[i]);
        if (c == '\n') {
            text += kNarrowNewLine;
            ++lines;
        } else if (c != '\r') {
            text += (c < ' ' && c != '\t') ? '.' : head[i];
        }
    }
    return FromAnsi(text);
}

std::wstring UsageText()
{
    return std::wstring(L"zelrun - demonstration scene player") + kNewLine + kNewLine +
           L"Usage: zelrun.exe \"SCENE FILE\"" + kNewLine + kNewLine +
           L"Shows the scene file's path and its first lines." + kNewLine;
}

std::wstring SceneText(const std::wstring& path, int extraArguments)
{
    const std::wstring accessPath = FileAccessPath(path);
    const std::wstring state = FileState(accessPath);
    std::wstring text = L"Scene: " + path + kNewLine + L"File: " + state + kNewLine;
    if (extraArguments > 0)
        text += L"Ignored arguments after the scene: " + std::to_wstring(extraArguments) + kNewLine;
    if (state == kFound)
        text += std::wstring(kNewLine) + FirstLines(accessPath);
    return text;
}

// What the frame shows: the text, in the font of the text window.
struct FrameContent {
    std::wstring text;
    HFONT font;
};

// Called when the frame is created: the text window fills it and shows the
// content handed over as the creation parameter.
void OnCreate(HWND hwnd, const CREATESTRUCTW& create)
{
    const auto* content = static_cast<const FrameContent*>(create.lpCreateParams);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", content->text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
            ES_AUTOVSCROLL | ES_AUTOHSCROLL,
        0, 0, 0, 0, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)),
        create.hInstance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(content->font), FALSE);
}

// Called when the frame changes size: the text window follows.
void OnSize(HWND hwnd, int width, int height)
{
    MoveWindow(GetDlgItem(hwnd, kTextId), 0, 0, width, height, TRUE);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(hwnd, *reinterpret_cast<const CREATESTRUCTW*>(lParam)); return 0;
    case WM_SIZE: OnSize(hwnd, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS: SetFocus(GetDlgItem(hwnd, kTextId)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool RegisterFrameClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    return RegisterClassW(&wc) != 0;
}

// True when the ANSI code page holds every character of the text as it is.
bool AnsiHoldsExactly(const std::wstring& text)
{
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
    return text.empty() || (size > 0 && !usedDefault);
}

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The stock fixed font shows only the ANSI code page's characters; other text
// gets a fixed TrueType font of the same size, which the system completes
// from its other fonts where it lacks a character.
UniqueFont UnicodeFixedFont()
{
    LOGFONTW font = {};
    GetObjectW(GetStockObject(ANSI_FIXED_FONT), sizeof font, &font);
    font.lfWidth = 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    wcscpy_s(font.lfFaceName, L"Courier New");
    return UniqueFont(CreateFontIndirectW(&font));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    // __wargv is the runtime's reading of the command line: argv[1] is the scene.
    const bool hasScene = __argc >= 2;
    const std::wstring scene = hasScene ? __wargv[1] : L"";
    std::wstring title = hasScene ? FileTitle(scene) : L"";
    if (title.empty())
        title = kProgramName;
    FrameContent content{hasScene ? SceneText(scene, __argc - 2) : UsageText(), nullptr};
    const UniqueFont unicodeFont = AnsiHoldsExactly(content.text) ? nullptr : UnicodeFixedFont();
    content.font = unicodeFont ? unicodeFont.get() : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));

    if (!RegisterFrameClass(instance))
        return EXIT_FAILURE;
    HWND frame = CreateWindowExW(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
        CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr, nullptr, instance,
        &content);
    if (!frame)
        return EXIT_FAILURE;
    ShowWindow(frame, showCommand);
    UpdateWindow(frame);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
