#include "runlist/DefaultEntries.h"

#include "paths/PathRules.h"

const std::array<DefaultEntry, kDefaultEntryCount> kDefaultEntries = {{
    {L"blend", L"shaders\\dx9\\animation\\blend\\blend"},
    {L"motionblur", L"shaders\\dx9\\animation\\motionblur\\motionblur"},
    {L"vertex_shader1_hlsl", L"shaders\\dx9\\basic\\vertex_shader1_hlsl"},
    {L"vertex_shader2_hlsl", L"shaders\\dx9\\basic\\vertex_shader2_hlsl"},
    {L"vertex_shader3_hlsl", L"shaders\\dx9\\basic\\vertex_shader3_hlsl"},
    {L"vertex_shader4_hlsl", L"shaders\\dx9\\basic\\vertex_shader4_hlsl"},
    {L"vertex_shader5_hlsl", L"shaders\\dx9\\basic\\vertex_shader5_hlsl"},
    {L"pixel_noise_hlsl", L"shaders\\dx9\\basic\\pixel_noise_hlsl"},
    {L"pixel_shader1_hlsl", L"shaders\\dx9\\basic\\pixel_shader1_hlsl"},
    {L"pixel_shader2_hlsl", L"shaders\\dx9\\basic\\pixel_shader2_hlsl"},
    {L"pixel_shader3_hlsl", L"shaders\\dx9\\basic\\pixel_shader3_hlsl"},
    {L"movie_plane_control", L"shaders\\dx9\\video\\movie_plane_control"},
    {L"movie_plane_hlsl", L"shaders\\dx9\\video\\movie_plane_hlsl"},
    {L"movie_plane_rotate", L"shaders\\dx9\\video\\movie_plane_rotate"},
}};

std::wstring DefaultEntryPath(std::wstring_view exePath, int i)
{
    return MakePath(SplitPath(exePath).drive, BaseDirectory(exePath),
                    kDefaultEntries.at(static_cast<std::size_t>(i)).relativePath, kSceneExtension);
}
