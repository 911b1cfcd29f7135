#pragma once

#include <optional>
#include <string>

namespace tesvar {

enum class ExportPicture { Screen, Page };
enum class ExportFormat { Png, Svg, Pdf };

// The picture of the window when nothing gives it a size: a client area of 1600 x 900.
inline constexpr int kDefaultScreenWidth = 1600;
inline constexpr int kDefaultScreenHeight = 900;
// The printed page when nothing gives it a size: A4 upright at 300 pixels per inch.
inline constexpr int kPageDpi = 300;
inline constexpr int kDefaultPageWidth = 2480;
inline constexpr int kDefaultPageHeight = 3508;

// Which picture to write, as which kind of file, where and at which size.
struct ExportRequest {
    ExportPicture picture = ExportPicture::Screen;
    ExportFormat format = ExportFormat::Png;
    std::string path;
    // Pixels of the window's client area (Screen) or of the page (Page); 0 for the
    // default: the window's current size, or the sizes above.
    int width = 0;
    int height = 0;
};

// "screen"/"page" and "png"/"svg"/"pdf", as the batch runner and the dialog name them.
std::optional<ExportPicture> exportPictureNamed(const std::string& name);
std::optional<ExportFormat> exportFormatNamed(const std::string& name);

}  // namespace tesvar
