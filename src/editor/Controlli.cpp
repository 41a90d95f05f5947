#include "Controlli.h"

#include "Accettazione.h"
#include "Cornice.h"
#include "FileRegolare.h"
#include "TestoVisibile.h"
#include "Verifica.h"

#include <QDir>
#include <QImageReader>

namespace quirlo::editor {

namespace {
// The frame stretches a picture to its own shape: a tenth off is already seen.
constexpr double ScartoVisibile = 0.1;
}  // namespace

QStringList avvisiFoto(const Cartelle &cartelle) {
  QStringList righe;
  const QStringList dati = cartelle.dati();
  const DisegniCercati disegni(dati);
  for (const catalogo::Lista &l : catalogo::Liste) {
    const QSize c = cornice(l);
    const ListaLetta letta = leggiLista(percorsoLista(dati, QString::fromLatin1(l.file)), l.sillabe);
    for (const Parola &p : letta.parole) {
      const QString percorso = disegni.percorso(p.testo());
      QFile file;
      if (percorso.isEmpty() || !apriFileRegolare(file, percorso))
        continue;
      QImageReader lettore(&file);
      lettore.setDecideFormatFromContent(true);
      const QSize s = lettore.size();
      if (s.isEmpty())
        continue;
      const QString dove = QStringLiteral("[AVVISO] %1, riga %2: ").arg(QString::fromLatin1(l.file)).arg(p.riga);
      const QString nome = QStringLiteral("\u00AB%1\u00BB (%2)").arg(accorciato(p.testo()),
          nomeAccorciato(QDir::toNativeSeparators(QStringLiteral("jpg/") + QFileInfo(percorso).fileName())));
      const QImageIOHandler::Transformations giro = lettore.transformation();
      if (giro != QImageIOHandler::TransformationNone)
        righe << senzaControlli(dove + QStringLiteral("la foto di %1 dice di essere girata, ma il gioco la mostra "
                                                      "com'è salvata, storta: con «Cambia...» e la stessa foto la "
                                                      "salvo dritta")
                                           .arg(nome));
      const QSize dritta = giro & QImageIOHandler::TransformationRotate90 ? s.transposed() : s;
      const double rapporto = (double(dritta.width()) / dritta.height()) / (double(c.width()) / c.height());
      if (std::abs(rapporto - 1) > ScartoVisibile)
        righe << senzaControlli(dove + QStringLiteral("il disegno di %1 è largo %2 e alto %3: nella cornice del "
                                                      "gioco esce %4; con «Cambia...» lo puoi ritagliare")
                                           .arg(nome)
                                           .arg(dritta.width())
                                           .arg(dritta.height())
                                           // Wider than the frame it is squeezed sideways; narrower, flattened.
                                           .arg(rapporto > 1 ? QStringLiteral("stretto e allungato")
                                                             : QStringLiteral("schiacciato")));
    }
  }
  return righe;
}

Controllo controllaTutto(const Cartelle &cartelle) {
  Controllo c;
  const QStringList dati = cartelle.dati();
  const verifica::Rapporto r = verifica::verificaCartelle(dati);
  if (dati.size() > 1)
    for (const verifica::Provenienza &p : r.provenienze)
      if (!p.cartella.isEmpty())
        c.provenienze << senzaControlli(QStringLiteral("%1: letta da \u00AB%2\u00BB")
                                            .arg(p.file, QDir::toNativeSeparators(p.cartella)));
  for (const verifica::Segnalazione &s : r.segnalazioni) {
    c.righe << verifica::formatta(s);
    c.errori += s.gravita == verifica::Gravita::Errore;
    c.avvisi += s.gravita == verifica::Gravita::Avviso;
  }
  const QStringList foto = avvisiFoto(cartelle);
  c.righe << foto;
  c.avvisi += int(foto.size());
  c.riepilogo = verifica::riepilogo(r);
  if (!foto.isEmpty())
    c.riepilogo += QStringLiteral(" E %1 da sistemare con l'editor.")
                       .arg(foto.size() == 1 ? QStringLiteral("un disegno") : QStringLiteral("%1 disegni").arg(foto.size()));
  return c;
}

}  // namespace quirlo::editor
