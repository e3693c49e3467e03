#include "raster/Svg.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace artgen {

namespace {

std::filesystem::path& folderSetting() {
    static std::filesystem::path folder{ORVALE_ARTGEN_SVG_FOLDER};
    return folder;
}

struct HandleRelease {
    void operator()(RsvgHandle* handle) const { g_object_unref(handle); }
};
struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextRelease {
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};
using Handle = std::unique_ptr<RsvgHandle, HandleRelease>;
using Surface = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using Context = std::unique_ptr<cairo_t, ContextRelease>;

[[noreturn]] void refuse(const std::filesystem::path& file, const std::string& reason) {
    throw std::runtime_error(file.string() + ": " + reason);
}

// librsvg's message, on one line, and the error freed.
std::string takeMessage(GError* error) {
    std::string text =
        error != nullptr && error->message != nullptr ? error->message : "librsvg gave no reason";
    if (error != nullptr) {
        g_error_free(error);
    }
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

Handle openSvg(const std::filesystem::path& file) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(file, ignored)) {
        refuse(file, "no such file");
    }
    GError* error = nullptr;
    Handle handle(rsvg_handle_new_from_file(file.c_str(), &error));
    if (!handle) {
        refuse(file, takeMessage(error));
    }
    return handle;
}

// The area of the document that fills the target: its viewBox, or failing that its width and
// height in absolute units (the document's own user space then starts at 0, 0).
struct DocumentArea {
    bool hasViewBox = false;
    double width = 0.0;
    double height = 0.0;
};

DocumentArea documentArea(const std::filesystem::path& file, RsvgHandle* handle) {
    gboolean hasWidth = FALSE;
    gboolean hasHeight = FALSE;
    gboolean hasViewBox = FALSE;
    RsvgLength width{};
    RsvgLength height{};
    RsvgRectangle viewBox{};
    rsvg_handle_get_intrinsic_dimensions(handle, &hasWidth, &width, &hasHeight, &height, &hasViewBox,
                                         &viewBox);
    DocumentArea area;
    if (hasViewBox) {
        if (!(viewBox.width > 0.0 && viewBox.height > 0.0)) {
            refuse(file,
                   "the viewBox is empty; give the root <svg> a viewBox such as viewBox=\"0 0 256 128\"");
        }
        area.hasViewBox = true;
        area.width = viewBox.width;
        area.height = viewBox.height;
        return area;
    }
    if (hasWidth && hasHeight &&
        rsvg_handle_get_intrinsic_size_in_pixels(handle, &area.width, &area.height) && area.width > 0.0 &&
        area.height > 0.0) {
        return area;
    }
    refuse(file,
           "the SVG has no viewBox and no width and height in absolute units, so its drawing area is "
           "unknown; give the root <svg> a viewBox such as viewBox=\"0 0 256 128\"");
}

// Renders the document into a cairo image of the target's size; cairo keeps premultiplied
// ARGB, one native-endian 32-bit word a pixel.
Surface renderSvg(const std::filesystem::path& file, RsvgHandle* handle, int width, int height) {
    const DocumentArea area = documentArea(file, handle);
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        refuse(file, std::string("cairo can't make the image: ") +
                         cairo_status_to_string(cairo_surface_status(surface.get())));
    }
    Context context(cairo_create(surface.get()));
    RsvgRectangle viewport{0.0, 0.0, static_cast<double>(width), static_cast<double>(height)};
    if (!area.hasViewBox) {
        // Without a viewBox librsvg draws at the document's own size; stretch that size onto
        // the target, as a viewBox of 0 0 width height would.
        cairo_scale(context.get(), width / area.width, height / area.height);
        viewport = {0.0, 0.0, area.width, area.height};
    }
    GError* error = nullptr;
    if (!rsvg_handle_render_document(handle, context.get(), &viewport, &error)) {
        refuse(file, takeMessage(error));
    }
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) {
        refuse(file, std::string("cairo failed to draw it: ") +
                         cairo_status_to_string(cairo_status(context.get())));
    }
    cairo_surface_flush(surface.get());
    return surface;
}

// The cairo image as a canvas: both are premultiplied, so the channels only change scale.
Canvas toCanvas(cairo_surface_t* surface, int width, int height) {
    Canvas image(width, height);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    constexpr float kScale = 1.0f / 255.0f;
    for (int y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t word = row[x];
            Pixel& p = image.at(x, y);
            p.a = static_cast<float>((word >> 24) & 0xffu) * kScale;
            p.r = static_cast<float>((word >> 16) & 0xffu) * kScale;
            p.g = static_cast<float>((word >> 8) & 0xffu) * kScale;
            p.b = static_cast<float>(word & 0xffu) * kScale;
        }
    }
    return image;
}

}  // namespace

void setSvgFolder(const std::filesystem::path& folder) {
    folderSetting() = folder;
}

const std::filesystem::path& svgFolder() {
    return folderSetting();
}

void drawSvg(const std::string& svgName, Canvas& canvas) {
    drawSvgInto(svgName, canvas, 0, 0, canvas.width(), canvas.height());
}

void drawSvgInto(const std::string& svgName, Canvas& canvas, int x, int y, int width, int height) {
    if (width < 1 || height < 1 || x < 0 || y < 0 || x > canvas.width() - width ||
        y > canvas.height() - height) {
        throw std::invalid_argument(
            svgName + ": the rectangle " + std::to_string(width) + " x " + std::to_string(height) + " at " +
            std::to_string(x) + ", " + std::to_string(y) + " is not inside the " +
            std::to_string(canvas.width()) + " x " + std::to_string(canvas.height()) + " canvas");
    }
    const std::filesystem::path file = svgFolder() / svgName;
    const Handle handle = openSvg(file);
    const Surface surface = renderSvg(file, handle.get(), width, height);
    canvas.composite(toCanvas(surface.get(), width, height), x, y, Blend::Over);
}

}  // namespace artgen
