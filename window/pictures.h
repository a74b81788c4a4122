#pragma once
// The small pictures of the toolbar, the answer buttons and the menu items, drawn
// here rather than shipped as files. Menu items that stand for a toolbar button show
// that button's picture.
#include <QIcon>
#include <QPixmap>
#include <functional>

// clang-format off
enum class TPicture {
    New, Open, Save, Cut, Copy, Paste,
    FileProp,           // 32x16: the normal picture and the disabled one side by side
    First, Previous, Next, Last, Add, Delete,
    Post,
    HelpIndex, Help,
    AddAnswer, DeleteAnswer,
    Exit, FileInfo, Web,
    Undo, Redo,         // a curved arrow back and forth
    Check,              // a sheet under a magnifying glass
};
// clang-format on

// The picture as drawn, at its own size.
QPixmap PictureBitmap(TPicture picture);

// The picture ready for a button or menu item.
QIcon PictureIcon(TPicture picture);

// An icon that is made when it is first drawn or measured: a picture that the first
// screen does not show costs start-up nothing.
QIcon DeferredIcon(std::function<QIcon()> fetch);
