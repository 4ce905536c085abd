#include "runlist/DefaultEntries.h"

#include "paths/PathRules.h"

const std::array<DefaultEntry, kDefaultEntryCount> kDefaultEntries = {{
    {"blend", "shaders\\dx9\\animation\\blend\\blend"},
    {"motionblur", "shaders\\dx9\\animation\\motionblur\\motionblur"},
    {"vertex_shader1_hlsl", "shaders\\dx9\\basic\\vertex_shader1_hlsl"},
    {"vertex_shader2_hlsl", "shaders\\dx9\\basic\\vertex_shader2_hlsl"},
    {"vertex_shader3_hlsl", "shaders\\dx9\\basic\\vertex_shader3_hlsl"},
    {"vertex_shader4_hlsl", "shaders\\dx9\\basic\\vertex_shader4_hlsl"},
    {"vertex_shader5_hlsl", "shaders\\dx9\\basic\\vertex_shader5_hlsl"},
    {"pixel_noise_hlsl", "shaders\\dx9\\basic\\pixel_noise_hlsl"},
    {"pixel_shader1_hlsl", "shaders\\dx9\\basic\\pixel_shader1_hlsl"},
    {"pixel_shader2_hlsl", "shaders\\dx9\\basic\\pixel_shader2_hlsl"},
    {"pixel_shader3_hlsl", "shaders\\dx9\\basic\\pixel_shader3_hlsl"},
    {"movie_plane_control", "shaders\\dx9\\video\\movie_plane_control"},
    {"movie_plane_hlsl", "shaders\\dx9\\video\\movie_plane_hlsl"},
    {"movie_plane_rotate", "shaders\\dx9\\video\\movie_plane_rotate"},
}};

std::string DefaultEntryPath(std::string_view exePath, int i)
{
    return MakePath(SplitPath(exePath).drive, BaseDirectory(exePath),
                    kDefaultEntries.at(static_cast<std::size_t>(i)).relativePath, kSceneExtension);
}
