#include "client/x11/WindowCapturer.h"

#include "client/x11/WindowTree.h"
#include "client/x11/XcbConnection.h"
#include "client/x11/XcbReply.h"
#include "client/x11/ZPixmapDecoder.h"

#include <xcb/composite.h>

#include <algorithm>

namespace kestrova {

namespace {

constexpr std::size_t kMaxBandBytes = 4u << 20;

}  // namespace

WindowCapturer::WindowCapturer(XcbConnection& connection, WindowTree& tree)
    : connection_(connection), tree_(tree) {
    xcb_connection_t* c = connection_.get();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_composite_id);
    if (!extension || !extension->present) {
        compositeReason_ = "the X server has no Composite extension";
        return;
    }
    // NameWindowPixmap arrived with Composite 0.2.
    XcbReply<xcb_composite_query_version_reply_t> version(
        xcb_composite_query_version_reply(c, xcb_composite_query_version(c, 0, 4), nullptr));
    if (!version || (version->major_version == 0 && version->minor_version < 2)) {
        compositeReason_ = "the X server's Composite extension is older than 0.2";
        return;
    }
    XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_composite_redirect_subwindows_checked(
                                 c, connection_.root(), XCB_COMPOSITE_REDIRECT_AUTOMATIC)));
    if (error) {
        compositeReason_ = "the X server refused to redirect the top-level windows (error " +
                           std::to_string(error->error_code) + ")";
        return;
    }
    compositeAvailable_ = true;
}

std::optional<Image> WindowCapturer::capture(xcb_window_t window) {
    const WindowTree::Details details = tree_.describe(window);
    if (!details.exists || !details.viewable)
        return std::nullopt;
    const std::optional<WindowTree::Geometry> geo = tree_.geometry(window);
    if (!geo || geo->width <= 0 || geo->height <= 0)
        return std::nullopt;

    if (compositeAvailable_) {
        if (auto image = captureFromComposite(window, geo->width, geo->height))
            return image;
    }
    return readImage(window, 0, 0, geo->width, geo->height, details.visual);
}

std::optional<Image> WindowCapturer::captureFromComposite(xcb_window_t window, int width,
                                                          int height) {
    xcb_connection_t* c = connection_.get();
    const xcb_window_t top = tree_.topLevelAncestor(window);
    if (top == XCB_NONE)
        return std::nullopt;
    const std::optional<WindowTree::Geometry> topGeo = tree_.geometry(top);
    const auto offset = tree_.translate(window, top, 0, 0);
    if (!topGeo || !offset)
        return std::nullopt;
    // The pixmap holds the top-level window with its border.
    const int x = offset->first + topGeo->borderWidth;
    const int y = offset->second + topGeo->borderWidth;
    const int pixmapWidth = topGeo->width + 2 * topGeo->borderWidth;
    const int pixmapHeight = topGeo->height + 2 * topGeo->borderWidth;
    if (x < 0 || y < 0 || x + width > pixmapWidth || y + height > pixmapHeight)
        return std::nullopt;

    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    XcbReply<xcb_generic_error_t> error(
        xcb_request_check(c, xcb_composite_name_window_pixmap_checked(c, top, pixmap)));
    if (error)
        return std::nullopt;
    const WindowTree::Details topDetails = tree_.describe(top);
    std::optional<Image> image = readImage(pixmap, x, y, width, height, topDetails.visual);
    xcb_free_pixmap(c, pixmap);
    xcb_flush(c);
    return image;
}

std::optional<Image> WindowCapturer::readImage(xcb_drawable_t drawable, int x, int y, int width,
                                               int height, xcb_visualid_t visual) {
    xcb_connection_t* c = connection_.get();
    Image image(width, height);
    ZPixmapFormat format;
    format.msbFirst = connection_.imageMsbFirst();
    if (const auto masks = connection_.visualMasks(visual)) {
        format.redMask = masks->red;
        format.greenMask = masks->green;
        format.blueMask = masks->blue;
    }
    int bandRows = 0;
    for (int row = 0; row < height; row += bandRows) {
        bandRows = height - row;
        if (format.bitsPerPixel > 0) {
            const std::size_t stride = format.rowBytes(width);
            if (stride > 0)
                bandRows = std::min<int>(
                    bandRows, static_cast<int>(std::max<std::size_t>(1, kMaxBandBytes / stride)));
        }
        XcbReply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
            c,
            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, static_cast<std::int16_t>(x),
                          static_cast<std::int16_t>(y + row), static_cast<std::uint16_t>(width),
                          static_cast<std::uint16_t>(bandRows), ~0u),
            nullptr));
        if (!reply)
            return std::nullopt;
        // The reply names the depth; the server's format list gives its layout.
        format.bitsPerPixel = connection_.bitsPerPixel(reply->depth);
        format.scanlinePadBits = connection_.scanlinePad(reply->depth);
        const auto* data = xcb_get_image_data(reply.get());
        const int length = xcb_get_image_data_length(reply.get());
        if (!decodeZPixmap(format, data, static_cast<std::size_t>(length > 0 ? length : 0),
                           bandRows, row, image))
            return std::nullopt;
    }
    return image;
}

}  // namespace kestrova
