#include "output/Saver.h"

#include "core/TukFile.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>

TForm7* Form7 = nullptr;

namespace {
// Enter is for "Kopiraj" alone.
const auto button = kviro::ui::dialogButton;
} // namespace

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    Form7 = this;
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Kopiranje TUK na disk i/ili disketu"));
    setFixedSize(307, 135);
    setModal(false);

    Label1 =
        kviro::ui::control<QLabel>(this, "Label1", QRect(10, 10, 287, 18),
                                   QStringLiteral("Odredite ime pod kojim želite kopirati TUK"));
    Label1->setFont(kviro::ui::arial(12, true));

    Edit1 = kviro::ui::control<QLineEdit>(this, "Edit1", QRect(10, 36, 200, 24));
    Edit1->setFont(kviro::ui::arial(13, true));
    Edit1->setStyleSheet(QStringLiteral("background: rgb(255, 255, 149);"));

    BitBtn3 = button(this, "BitBtn3", QStringLiteral("Odredi..."), QRect(218, 35, 79, 26));
    BitBtn1 = button(this, "BitBtn1", QStringLiteral("Kopiraj"), QRect(60, 94, 90, 28));
    BitBtn2 = button(this, "BitBtn2", QStringLiteral("Otkaži"), QRect(158, 94, 90, 28));
    BitBtn1->setDefault(true); // Enter

    SaveDialog1 = new QFileDialog(this, QStringLiteral("Odredite direktorij za snimanje"));
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile); // in a folder that exists

    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

    kviro::ui::centreOnScreen(this);
}

QString TForm7::withoutTukExtension(const QString& path) {
    if (path.endsWith(QStringLiteral(".TUK"), Qt::CaseInsensitive)) return path.chopped(4);
    return path;
}

void TForm7::BitBtn3Click() {
    if (kviro::ui::runDialog(*SaveDialog1) != QDialog::Accepted) return;
    const QStringList files = SaveDialog1->selectedFiles();
    if (files.isEmpty()) return;
    Edit1->setText(withoutTukExtension(QDir::toNativeSeparators(files.first())));
}

void TForm7::BitBtn1Click() {
    if (Edit1->text().isEmpty()) return;
    const QString name = Edit1->text() + QStringLiteral(".TUK");
    const std::string bytes = kviro::tukFileBytes(Form1->TUK);
    // Written beside the old file and put in its place only when complete.
    QSaveFile file(name);
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                        static_cast<qint64>(bytes.size()) &&
                    file.commit();
    if (!ok) {
        const QString reason = file.errorString();
        file.cancelWriting();
        kviro::ui::errorNotice(
            this, QStringLiteral("TUK nije kopiran: datoteku \"%1\" nije moguće zapisati (%2).")
                      .arg(QDir::toNativeSeparators(QFileInfo(name).absoluteFilePath()), reason));
        return;
    }
    MrezaForm->tukCopied();
    hide();
    MrezaForm->show();
}

void TForm7::BitBtn2Click() {
    hide();
    MrezaForm->show();
}

void TForm7::reject() {
    BitBtn2Click();
}
