#include "output/Saver.h"

#include "core/TukFile.h"
#include "more/Fi.h"
#include "mreza/Mreza.h"
#include "platform/Dialogs.h"
#include "platform/SafeFile.h"
#include "platform/Widgets.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
    // A failed copy leaves an earlier file of that name as it was.
    QString reason;
    if (!kviro::ui::writeFileSafely(name, bytes, &reason)) {
        kviro::ui::errorNotice(
            this, QStringLiteral("TUK nije kopiran: datoteku \"%1\" nije moguće zapisati (%2).")
                      .arg(kviro::ui::shownFileName(name), reason));
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
