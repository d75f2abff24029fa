#pragma once

class QWidget;

// Makes a window at least as large as its layout's size hint and, once it is
// shown, larger by what its tables would hide behind scroll bars, all within
// the screen it opens on. For windows shown without a stored geometry, so that
// their content shows without enlarging them first.
void growToContent(QWidget *window);
