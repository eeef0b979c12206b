// OLE drag and drop of the edit field: text dropped through the field's IDropTarget (driven
// directly, as a drag from another program would), file lists, the drop caret, the data object
// and drop source of a drag out of the field, and a drag within the field through the
// system's own drag loop.
#include "buttonedit/drag_source.h"
#include "buttonedit/enum_formats.h"
#include "buttonedit/tests/win32/edit_fixture.h"
#include "core/error.h"
#include "ui/global_memory.h"

#include <gtest/gtest.h>

#include <shlobj.h>

namespace zel {
namespace {

using namespace zel::edit_testing;

// A data object of the blocks given, as another program would offer them.
ComRef<TDataObject> Offer(std::vector<TDataObject::Block> blocks) {
    return MakeComObject<TDataObject>(std::move(blocks));
}

ComRef<TDataObject> FileList() {
    const wchar_t names[] = L"C:\\a.txt\0C:\\b.txt\0";
    DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(names), sizeof names);
    return Offer({{CF_HDROP, bytes}});
}

struct DropEdit : EditWindow {
    void SetUp() override {
        EditWindow::SetUp();
        edit->SetText(u"abcdef");
        edit->SetOleDropTarget(true);
        ASSERT_NE(edit->DropTarget(), nullptr);
    }
    // The screen point over the middle of a character of the field.
    POINTL Over(int index) {
        POINT at = edit->PosFromChar(index);
        at.x += 1;
        at.y += 4;
        ::ClientToScreen(Window(), &at);
        return {at.x, at.y};
    }
};

TEST_F(DropEdit, TheTargetIsRegisteredWhileTheWindowLasts) {
    EXPECT_EQ(::RegisterDragDrop(Window(), edit->DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
    edit->SetEditAlign(TEditAlign::eaRight); // a new window, registered anew
    EXPECT_EQ(::RegisterDragDrop(Window(), edit->DropTarget()), DRAGDROP_E_ALREADYREGISTERED);
    edit->SetOleDropTarget(false);
    EXPECT_EQ(::RevokeDragDrop(Window()), DRAGDROP_E_NOTREGISTERED);
    // OLE is up for this thread already: the edit unit initialised it.
    EXPECT_EQ(::OleInitialize(nullptr), S_FALSE);
    ::OleUninitialize();
}

TEST_F(DropEdit, TextDropsAtTheCharacterUnderTheMouse) {
    IDropTarget* target = edit->DropTarget();
    ComRef<TDataObject> data = MakeTextDataObject(u"XY\r\nnext line");
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragEnter(data.get(), MK_LBUTTON, Over(2), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(edit->DropCaret(), 2);
    {
        const POINT caret = edit->PosFromChar(2);
        ScreenPixels pixels(Window());
        EXPECT_EQ(pixels.At(caret.x, caret.y + 3), ::GetSysColor(COLOR_WINDOWTEXT));
    }
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragOver(MK_LBUTTON | MK_CONTROL, Over(4), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY));
    EXPECT_EQ(edit->DropCaret(), 4);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    changes = 0;
    ASSERT_EQ(target->Drop(data.get(), 0, Over(4), &effect), S_OK);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_MOVE));
    EXPECT_EQ(edit->Text(), u"abcdXYef"); // up to the first line break
    EXPECT_EQ(edit->Selection(), (TextRange{6, 6}));
    EXPECT_EQ(edit->DropCaret(), -1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit->Modified());
}

TEST_F(DropEdit, OnlyTextAndFileListsAreAcceptedAndFilesChangeNothing) {
    IDropTarget* target = edit->DropTarget();
    ComRef<TDataObject> bitmap = Offer({{CF_DIB, "not text"}});
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(bitmap.get(), MK_LBUTTON, Over(1), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    EXPECT_EQ(edit->DropCaret(), -1);
    target->DragLeave();

    // Rich text alone is not taken: nothing in the system asks for it.
    const auto rtf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"Rich Text Format"));
    ComRef<TDataObject> rich = Offer({{rtf, std::string("{\\rtf1 x}", 9) + '\0'}});
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(rich.get(), MK_LBUTTON, Over(1), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_NONE));
    target->DragLeave();
    TEnumFormats richFormats(rich.get());
    EXPECT_TRUE(richFormats.HasRTF());
    EXPECT_EQ(richFormats.RTF(), "{\\rtf1 x}");

    ComRef<TDataObject> files = FileList();
    effect = DROPEFFECT_COPY;
    target->DragEnter(files.get(), MK_LBUTTON, Over(1), &effect);
    EXPECT_EQ(effect, DWORD(DROPEFFECT_COPY)); // the source allows only a copy
    effect = DROPEFFECT_COPY;
    target->Drop(files.get(), 0, Over(1), &effect);
    EXPECT_EQ(edit->Text(), u"abcdef");
    TEnumFormats formats(files.get());
    EXPECT_EQ(formats.Files(), (std::vector<std::u16string>{u"C:\\a.txt", u"C:\\b.txt"}));
    EXPECT_TRUE(formats.HasFile());
    EXPECT_FALSE(formats.HasText());
}

TEST_F(DropEdit, ADropOfTheWrongKindChangesNothing) {
    edit->SetEditType(TExtEditType::etNumeric);
    edit->SetText(u"12");
    ComRef<TDataObject> data = MakeTextDataObject(u"words");
    DWORD effect = DROPEFFECT_COPY;
    edit->DropTarget()->DragEnter(data.get(), 0, Over(1), &effect);
    effect = DROPEFFECT_COPY;
    edit->DropTarget()->Drop(data.get(), 0, Over(1), &effect);
    EXPECT_EQ(edit->Text(), u"12");
}

TEST_F(DropEdit, ADragWithinTheFieldMovesTheSelectionOrCopiesWithCtrl) {
    edit->SetOleDropSource(true);
    Focus();
    edit->SetSelection({0, 3});
    // The system's drag loop drops where the cursor stands once the button is up.
    const POINTL over = Over(5);
    ASSERT_TRUE(::SetCursorPos(over.x, over.y));
    const POINT inside = edit->PosFromChar(1);
    const LPARAM at = MAKELPARAM(inside.x + 1, inside.y + 4);
    ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(inside.x + 6, inside.y + 4));
    EXPECT_EQ(edit->Text(), u"deabcf");
    edit->SetText(u"abcdef");
    edit->SetSelection({0, 3});
    {
        HeldKeys ctrl{VK_CONTROL};
        ::SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL,
                       MAKELPARAM(inside.x + 6, inside.y + 4));
    }
    EXPECT_EQ(edit->Text(), u"abcdeabcf");
}

TEST(DragSource, TheDataObjectOffersUnicodeAnd8BitTextForTheContentOnly) {
    ComRef<TDataObject> data = MakeTextDataObject(u"caf\u00E9");
    FORMATETC format{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_EQ(GlobalText<char16_t>(medium.hGlobal), u"caf\u00E9");
    ::ReleaseStgMedium(&medium);
    format.cfFormat = CF_TEXT;
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    const std::string narrow = GlobalText<char>(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    wchar_t wide[8] = {};
    ::MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide, 8);
    EXPECT_EQ(std::wstring(wide), L"caf\u00E9");
    EXPECT_EQ(data->QueryGetData(&format), S_OK);

    format.dwAspect = DVASPECT_THUMBNAIL;
    EXPECT_EQ(data->QueryGetData(&format), DV_E_DVASPECT);
    format = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM};
    EXPECT_EQ(data->GetData(&format, &medium), DV_E_TYMED);
    format = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(data->GetData(&format, &medium), DV_E_FORMATETC);
    DWORD connection = 0;
    EXPECT_EQ(data->DAdvise(&format, 0, nullptr, &connection), OLE_E_ADVISENOTSUPPORTED);

    TEnumFormats formats(data.get());
    EXPECT_TRUE(formats.HasText());
    EXPECT_TRUE(formats.HasFormat(CF_TEXT));
    EXPECT_FALSE(formats.HasRTF());
    formats.Reset();
    ASSERT_TRUE(formats.Next());
    EXPECT_EQ(formats.Format(), CF_UNICODETEXT);
    EXPECT_EQ(formats.Aspect(), DWORD(DVASPECT_CONTENT));
    EXPECT_EQ(formats.Index(), -1);
    EXPECT_EQ(formats.Medium(), DWORD(TYMED_HGLOBAL));
    ASSERT_TRUE(formats.Next());
    EXPECT_EQ(formats.Format(), CF_TEXT);
    EXPECT_FALSE(formats.Next());
    EXPECT_EQ(formats.Text(), u"caf\u00E9");
}

TEST(DragSource, EscapeCancelsAndReleasingTheButtonDrops) {
    ComRef<TEditDropSource> source = MakeComObject<TEditDropSource>();
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(source->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    unknown->Release();
    void* other = nullptr;
    EXPECT_EQ(source->QueryInterface(IID_IDataObject, &other), E_NOINTERFACE);
}

// A data object that has no format enumerator to give.
struct Unlisted : TDataObject {
    Unlisted() : TDataObject({}) {}
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_FAIL; }
};

TEST(DragSource, AnObjectWithoutFormatEnumeratorIsRefused) {
    ComRef<Unlisted> data = MakeComObject<Unlisted>();
    try {
        TEnumFormats formats(data.get());
        FAIL() << "a reader was made";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Cannot get the format enumerator");
    }
}

} // namespace
} // namespace zel
