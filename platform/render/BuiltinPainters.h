#pragma once
// The painters of the platform's own view classes, registered on first use,
// and the generic content of a view of a class without a painter.
#include "platform/render/Renderer.h"

namespace platform::render {

void registerBuiltinPainters();
// The controls' painters (labels, buttons, pictures, text fields, switches...),
// registered by type; part of the built-in ones.
void registerControlPainters();
// A view of an unknown class shows its automation text (17 points, dark,
// left-aligned, centred vertically).
void paintGenericContent(PaintContext& context, const View& view, const Rect& bounds);

}  // namespace platform::render
