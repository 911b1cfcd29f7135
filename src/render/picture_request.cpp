#include "render/picture_request.h"

namespace tesvar {

std::optional<ExportPicture> exportPictureNamed(const std::string& name)
{
    if (name == "screen")
        return ExportPicture::Screen;
    if (name == "page")
        return ExportPicture::Page;
    return std::nullopt;
}

std::optional<ExportFormat> exportFormatNamed(const std::string& name)
{
    if (name == "png")
        return ExportFormat::Png;
    if (name == "svg")
        return ExportFormat::Svg;
    if (name == "pdf")
        return ExportFormat::Pdf;
    return std::nullopt;
}

}  // namespace tesvar
