// The palette's file buttons: open, save as, paste and copy through the
// clipboard, new picture, picture size.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

#include "editor/palette/PaletteFixture.h"
#include "platform/QtSurface.h"

namespace tupalo {
namespace {

const QString kReplace = QStringLiteral("現在表示している画像に上書きされます\nよろしいですか?");
const QString kNoPicture = QStringLiteral("クリップボードには絵が入っていません。");

class FileButtonsTest : public PaletteTest {
 protected:
  QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
};

TEST_F(FileButtonsTest, OpenLoadsThePictureAndNamesIt) {
  const QString path = writePicture(QStringLiteral("a.bmp"), 6, 2);
  prompter.answer(Answer::Yes).choose(path);
  palette().FILE_B_Click(0);
  EXPECT_EQ(prompter.messages().at(0).text, kReplace);
  EXPECT_EQ(editor.PicSize, (Pair{6, 2}));
  EXPECT_EQ(editor.CurrentFileName, path);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
  EXPECT_EQ(faces(palette().FILE_B), highlightedOnly(palette().FILE_B, 0));
}

TEST_F(FileButtonsTest, RefusedOrCancelledOpenChangesNothing) {
  palette();
  editor.CurrentFileName = QStringLiteral("/keep/me.bmp");
  const raster::Surface before = editor.PIC;
  prompter.answer(Answer::No);
  palette().FILE_B_Click(0);
  EXPECT_TRUE(prompter.fileRequests().empty());
  prompter.answer(Answer::Yes).cancelFile();
  palette().FILE_B_Click(0);
  EXPECT_EQ(editor.CurrentFileName, QStringLiteral("/keep/me.bmp"));
  EXPECT_EQ(editor.PIC, before);
}

// An autosave over the file's own name would destroy a file that never loaded.
TEST_F(FileButtonsTest, FailedOpenLeavesNoFileName) {
  const QString path = dir.path() + QStringLiteral("/broken.bmp");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM not really a bitmap");
  }
  palette();
  editor.CurrentFileName = QStringLiteral("/earlier/picture.bmp");
  prompter.answer(Answer::Yes).choose(path).answer(Answer::Ok);
  palette().FILE_B_Click(0);
  EXPECT_TRUE(prompter.lastMessage().text.startsWith(QStringLiteral("ファイル読み込みエラー")));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :NEWFFILE"));
  EXPECT_EQ(readFile(path), QByteArray("BM not really a bitmap"));
}

TEST_F(FileButtonsTest, SaveAsAsksBeforeOverwriting) {
  const QString path = dir.path() + QStringLiteral("/out.bmp");
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
  }
  palette();
  prompter.choose(path).answer(Answer::Cancel);
  palette().FILE_B_Click(1);
  EXPECT_EQ(prompter.lastMessage(),
            (MessageRequest{QStringLiteral("Tupa "),
                            path + QStringLiteral("\nファイルが既に存在しています上書きしますか?"),
                            Buttons::OkCancel, Icon::Question, 1}));
  EXPECT_EQ(readFile(path), QByteArray("old"));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());

  prompter.choose(path).answer(Answer::Ok);
  palette().FILE_B_Click(1);
  raster::Surface saved;
  ASSERT_FALSE(readPictureFile(path, saved));
  EXPECT_EQ(saved, editor.PIC);
  EXPECT_EQ(editor.CurrentFileName, path);
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :") + path);
}

TEST_F(FileButtonsTest, FailedSaveKeepsTheOldName) {
  palette();
  editor.CurrentFileName = QStringLiteral("/earlier/picture.bmp");
  win->SetCaption(editor.CurrentFileName);
  prompter.choose(dir.path() + QStringLiteral("/missing/folder/x.bmp")).answer(Answer::Ok);
  palette().FILE_B_Click(1);
  EXPECT_TRUE(prompter.lastMessage().text.contains(QStringLiteral("SAVEできません")));
  EXPECT_EQ(editor.CurrentFileName, QStringLiteral("/earlier/picture.bmp"));
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :/earlier/picture.bmp"));
}

TEST_F(FileButtonsTest, NewPictureKeepsTheSizeInTheDrawingColour) {
  start(writePicture(QStringLiteral("a.bmp"), 5, 3));
  editor.Color1 = {10, 20, 30};
  editor.UndoAvailable = 1;
  prompter.answer(Answer::Yes);
  palette().FILE_B_Click(5);
  EXPECT_EQ(editor.PIC, raster::Surface(5, 3, raster::toPixel(raster::rgb(10, 20, 30))));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(editor.ZoomFactor, 1);
  EXPECT_EQ(editor.UndoAvailable, 0);
  EXPECT_FALSE(palette().UNDO->isEnabled());
}

TEST_F(FileButtonsTest, PastePutsTheClipboardPictureInPlaceOfThePicture) {
  palette();
  editor.CurrentFileName = QStringLiteral("/earlier/picture.bmp");
  QImage image(9, 4, QImage::Format_RGB32);
  image.fill(QColor(200, 100, 50));
  QGuiApplication::clipboard()->setImage(image);
  prompter.answer(Answer::Yes);
  palette().FILE_B_Click(2);
  EXPECT_EQ(prompter.lastMessage().text, kReplace);
  EXPECT_EQ(editor.PIC, raster::Surface(9, 4, raster::toPixel(raster::rgb(200, 100, 50))));
  EXPECT_EQ(editor.PicSize, (Pair{9, 4}));
  EXPECT_TRUE(editor.CurrentFileName.isEmpty());
  EXPECT_EQ(win->windowTitle(), QStringLiteral("Tupa :ClipBoard"));
}

TEST_F(FileButtonsTest, PasteWithoutAPictureSaysSo) {
  palette();
  QGuiApplication::clipboard()->setText(QStringLiteral("words"));
  const raster::Surface before = editor.PIC;
  prompter.answer(Answer::Ok);
  palette().FILE_B_Click(2);
  ASSERT_EQ(prompter.messages().size(), 1u);
  EXPECT_EQ(prompter.lastMessage(), (MessageRequest{QStringLiteral("Tupa "), kNoPicture,
                                                    Buttons::Ok, Icon::Exclamation, -1}));
  EXPECT_EQ(editor.PIC, before);
}

// A bitmap whose header claims 40000 x 1 pixels: refused from its header.
TEST_F(FileButtonsTest, PasteRefusesAPictureTooLargeBeforeDecodingIt) {
  QByteArray bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  qToLittleEndian<quint32>(54 + 120000, bmp.data() + 2);
  qToLittleEndian<quint32>(54, bmp.data() + 10);
  qToLittleEndian<quint32>(40, bmp.data() + 14);
  qToLittleEndian<qint32>(40000, bmp.data() + 18);
  qToLittleEndian<qint32>(1, bmp.data() + 22);
  qToLittleEndian<quint16>(1, bmp.data() + 26);
  qToLittleEndian<quint16>(24, bmp.data() + 28);
  auto* md = new QMimeData;
  md->setData(QStringLiteral("image/bmp"), bmp);
  md->setImageData(QImage(1, 1, QImage::Format_RGB32));  // offered as a picture
  palette();
  QGuiApplication::clipboard()->setMimeData(md);
  const raster::Surface before = editor.PIC;
  prompter.answer(Answer::Ok);
  palette().FILE_B_Click(2);
  ASSERT_EQ(prompter.messages().size(), 1u);  // no question about replacing
  EXPECT_EQ(prompter.lastMessage().icon, Icon::Exclamation);
  EXPECT_TRUE(prompter.lastMessage().text.contains(QStringLiteral("大きすぎる")));
  EXPECT_EQ(editor.PIC, before);
}

// Another program's bitmap wider than Qt's own reader takes.
TEST_F(FileButtonsTest, PasteReadsWideBitmapsFromOtherPrograms) {
  raster::Surface wide(16385, 2, raster::toPixel(raster::rgb(1, 2, 3)));
  wide.setPixel(16384, 0, raster::toPixel(raster::rgb(200, 100, 50)));
  auto* md = new QMimeData;
  md->setData(QStringLiteral("image/bmp"), encodeBitmap(wide));
  md->setImageData(QImage(1, 1, QImage::Format_RGB32));  // offered as a picture
  palette();
  QGuiApplication::clipboard()->setMimeData(md);
  prompter.answer(Answer::Yes);
  palette().FILE_B_Click(2);
  EXPECT_EQ(editor.PIC, wide);
  EXPECT_EQ(editor.PicSize, (Pair{16385, 2}));
}

TEST_F(FileButtonsTest, CopyPutsThePictureOnTheClipboardInNormalDrawingMode) {
  start(writePicture(QStringLiteral("a.bmp"), 5, 3));
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  editor.settings.SZWM = 0;
  prompter.answer(Answer::Ok);
  palette().FILE_B_Click(3);
  EXPECT_EQ(prompter.lastMessage().text,
            QStringLiteral("StretchBltとImageに問題のある機種では使えません"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

  editor.settings.SZWM = 1;
  palette().FILE_B_Click(3);
  raster::Surface copied;
  copyFromQImage(QGuiApplication::clipboard()->image(), copied);
  EXPECT_EQ(copied, editor.PIC);
  // Other programs get a plain bitmap too.
  const char* before = nullptr;
  {
    const QByteArray bmp =
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/bmp"));
    EXPECT_EQ(bmp, encodeBitmap(editor.PIC));
    before = bmp.constData();
  }

  // The next copy writes over the same memory rather than another picture's
  // worth of new memory.
  editor.PIC.setPixel(0, 0, raster::toPixel(raster::rgb(9, 8, 7)));
  palette().FILE_B_Click(3);
  const QByteArray again =
      QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/bmp"));
  EXPECT_EQ(again, encodeBitmap(editor.PIC));
  EXPECT_EQ(again.constData(), before);
  copyFromQImage(QGuiApplication::clipboard()->image(), copied);
  EXPECT_EQ(copied, editor.PIC);
}

TEST_F(FileButtonsTest, PictureSizeDropsTheTool) {
  CMD_WIN& p = palette();
  p.FILE_B_Click(4);
  EXPECT_EQ(editor.ToolCode, 0);
  EXPECT_EQ(win->INF_CMD->text(), QStringLiteral("No select"));
  EXPECT_EQ(faces(p.CMD_B), std::vector<int>(36, 0));
  // The next tool button moves the highlight on from where it was.
  p.CMD_B_Click(3);
  EXPECT_EQ(faces(p.CMD_B), highlightedOnly(p.CMD_B, 3));
  EXPECT_EQ(faces(p.FILE_B), highlightedOnly(p.FILE_B, 4));
}

}  // namespace
}  // namespace tupalo
