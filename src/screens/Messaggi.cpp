#include "Messaggi.h"

#include "Adattamento.h"
#include "Piattaforma.h"
#include "TestoVisibile.h"
#include "Traccia.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QLabel>
#include <algorithm>

namespace quirlo {

namespace {

// A box grows with the window that opens it, so that on a classroom board it
// is read from the back row and hit with a finger; it never shrinks below the
// desktop's own size.
double fattoreDi(const QWidget *finestra) {
  const Adattatore *a = finestra ? finestra->findChild<Adattatore *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  return a ? std::max(1.0, a->fattore()) : 1.0;
}

void ingrandisci(QMessageBox &box, double fattore) {
  if (fattore <= 1.0)
    return;
  // Measured at the desktop's size first: a button's least width is the
  // style's, which a larger font alone would not grow.
  QList<QPair<QAbstractButton *, QSize>> pulsanti;
  for (QAbstractButton *b : box.buttons())
    pulsanti.append({b, b->sizeHint()});
  QFont f = box.font();
  if (f.pixelSize() > 0)
    f.setPixelSize(int(f.pixelSize() * fattore + 0.5));
  else
    f.setPointSizeF(f.pointSizeF() * fattore);
  box.setFont(f);
  // The box keeps its lines as they were: Qt would wrap them at a width that
  // does not grow with the text (half the screen, 500 pixels at most).
  if (auto *testo = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
    const int righe = QFontMetrics(f).boundingRect(QRect(0, 0, 1 << 20, 1 << 20), 0, box.text()).width();
    const QWidget *finestra = box.parentWidget();
    const int spazio = finestra ? finestra->screen()->availableGeometry().width() * 4 / 5 : righe;
    testo->setMinimumWidth(std::min(righe, spazio));
  }
  for (const auto &[b, misura] : pulsanti)
    b->setMinimumSize((QSizeF(misura) * fattore).toSize());
  // The space round and between them too, so the whole box is the window's scale.
  if (auto *griglia = qobject_cast<QGridLayout *>(box.layout())) {
    const QMargins m = griglia->contentsMargins();
    griglia->setContentsMargins(QMargins(int(m.left() * fattore), int(m.top() * fattore), int(m.right() * fattore),
                                         int(m.bottom() * fattore)));
    griglia->setHorizontalSpacing(int(griglia->horizontalSpacing() * fattore));
    griglia->setVerticalSpacing(int(griglia->verticalSpacing() * fattore));
  }
  // The icon stays the box's own (its kind is what a screen reader
  // announces); only the picture in its label is drawn larger. The style's
  // icons come in a few sizes and are never handed out larger than those.
  auto *etichetta = box.findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label"));
  if (etichetta && !etichetta->pixmap().isNull()) {
    const QPixmap icona = etichetta->pixmap();
    etichetta->setPixmap(icona.scaled((icona.deviceIndependentSize() * fattore).toSize(), Qt::KeepAspectRatio,
                                      Qt::SmoothTransformation));
  }
}

}  // namespace

int mostraMessaggio(const QString &testo, int flags) {
  QWidget *finestra = QApplication::activeWindow();
  QMessageBox box(finestra);
  box.setWindowTitle(TitoloProgramma);
  box.setText(testo);
  box.setWindowModality(Qt::ApplicationModal);
  traccia(QStringLiteral("messaggio flags=%1 testo=%2").arg(flags).arg(testoInRiga(testo)));
  const int icona = flags & 0x70;
  const QMessageBox::Icon tipo = icona == Msg::IconaDomanda        ? QMessageBox::Question
                                 : icona == Msg::IconaAvviso       ? QMessageBox::Warning
                                 : icona == Msg::IconaInformazione ? QMessageBox::Information
                                                                   : QMessageBox::NoIcon;
  box.setIcon(tipo);
  const bool siNo = (flags & 0x7) == Msg::SiNo;
  if (siNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    // Closing the box with Esc or its frame answers No.
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
  }
  ingrandisci(box, fattoreDi(finestra));
  const int scelta = box.exec();
  if (!siNo) {
    traccia(QStringLiteral("risposta ok"));
    return Msg::RispostaOk;
  }
  const bool si = scelta == QMessageBox::Yes;
  traccia(si ? QStringLiteral("risposta si") : QStringLiteral("risposta no"));
  return si ? Msg::RispostaSi : Msg::RispostaNo;
}

}  // namespace quirlo
