// The computer's voice on Windows: SAPI through COM, with a voice whose
// language is Italian and no other, speaking into a stream in memory.
// Voices are looked for among the desktop (SAPI 5) voices, then among the
// newer OneCore ones, which SAPI also speaks with on Windows 10 and later.
// Wine offers no voice at all: the list is empty and every answer is silence.
#include "MotoreSintesi.h"

#include <QThread>
#include <algorithm>
#include <string>

#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>
#include <sapi.h>

namespace quirlo {

namespace {

// Not in MinGW's sapi.h: the stream format is described by a WAVEFORMATEX.
const GUID FormatoWaveEx = {0xC31ADBAE, 0x527F, 0x4FF5, {0xA2, 0x30, 0xF6, 0x2B, 0xB6, 0x1F, 0xF7, 0x0C}};
const wchar_t *const Categorie[] = {L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech\\Voices",
                                    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Speech_OneCore\\Voices"};
constexpr int Frequenza = 22050;

// Releases a COM interface when it goes out of scope.
template <class T>
class Com {
 public:
  Com() = default;
  Com(const Com &) = delete;
  Com &operator=(const Com &) = delete;
  ~Com() { lascia(); }
  void lascia() {
    if (p_)
      p_->Release();
    p_ = nullptr;
  }
  T **indirizzo() {
    lascia();
    return &p_;
  }
  void **vuoto() { return reinterpret_cast<void **>(indirizzo()); }
  T *operator->() const { return p_; }
  T *get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T *p_ = nullptr;
};

QString testoCom(ISpDataKey *chiave, const wchar_t *nome) {
  wchar_t *valore = nullptr;
  if (!chiave || FAILED(chiave->GetStringValue(nome, &valore)) || !valore)
    return {};
  const QString testo = QString::fromWCharArray(valore);
  CoTaskMemFree(valore);
  return testo;
}

class MotoreSapi : public MotoreSintesi {
 public:
  MotoreSapi() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    comAperto_ = SUCCEEDED(com);
    if (comAperto_)
      trovaVoce();
  }
  ~MotoreSapi() override {
    voce_.lascia();
    if (comAperto_)
      CoUninitialize();
  }

  Pcm sintetizza(const QString &testo, const Vincoli &vincoli) override {
    if (!voce_)
      return {};
    Com<ISpVoice> voce;
    Com<ISpStream> flusso;
    Com<IStream> memoria;
    if (FAILED(CoCreateInstance(CLSID_SpVoice, nullptr, CLSCTX_ALL, IID_ISpVoice, voce.vuoto())) ||
        FAILED(voce->SetVoice(voce_.get())) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memoria.indirizzo())) ||
        FAILED(CoCreateInstance(CLSID_SpStream, nullptr, CLSCTX_ALL, IID_ISpStream, flusso.vuoto())))
      return {};
    WAVEFORMATEX formato{WAVE_FORMAT_PCM, 1, Frequenza, Frequenza * 2, 2, 16, 0};
    if (FAILED(flusso->SetBaseStream(memoria.get(), FormatoWaveEx, &formato)) ||
        FAILED(voce->SetOutput(flusso.get(), TRUE)))
      return {};
    // A little slower than the usual pace: one word, for a child.
    voce->SetRate(-1);
    const std::wstring largo = testo.toStdWString();
    if (FAILED(voce->Speak(largo.c_str(), SPF_ASYNC | SPF_IS_NOT_XML | SPF_PURGEBEFORESPEAK, nullptr)))
      return {};
    // Waited in short steps, to hear a request to stop.
    HRESULT fatto = S_FALSE;
    while (fatto == S_FALSE && !vincoli.scadenza.hasExpired() && !QThread::currentThread()->isInterruptionRequested())
      fatto = voce->WaitUntilDone(ULONG(std::min<qint64>(50, std::max<qint64>(1, vincoli.scadenza.remainingTime()))));
    if (fatto != S_OK) {
      voce->Speak(nullptr, SPF_PURGEBEFORESPEAK, nullptr);
      return {};
    }
    return leggi(memoria.get(), vincoli);
  }

 private:
  // The first Italian voice of the desktop voices, else of the OneCore ones.
  void trovaVoce() {
    for (const wchar_t *categoria : Categorie) {
      Com<ISpObjectTokenCategory> elenco;
      Com<IEnumSpObjectTokens> voci;
      ULONG quante = 0;
      if (FAILED(CoCreateInstance(CLSID_SpObjectTokenCategory, nullptr, CLSCTX_ALL, IID_ISpObjectTokenCategory,
                                  elenco.vuoto())) ||
          FAILED(elenco->SetId(categoria, FALSE)) || FAILED(elenco->EnumTokens(nullptr, nullptr, voci.indirizzo())) ||
          FAILED(voci->GetCount(&quante)))
        continue;
      QList<VoceDisponibile> disponibili;
      for (ULONG i = 0; i < quante; ++i) {
        Com<ISpObjectToken> voce;
        Com<ISpDataKey> attributi;
        VoceDisponibile v;
        if (SUCCEEDED(voci->Item(i, voce.indirizzo()))) {
          v.nome = testoCom(voce.get(), nullptr);
          if (SUCCEEDED(voce->OpenKey(L"Attributes", attributi.indirizzo())))
            v.lingue = lingueSapi(testoCom(attributi.get(), L"Language"));
        }
        disponibili << v;
      }
      const qsizetype scelta = sceltaVoceItaliana(disponibili);
      if (scelta >= 0 && SUCCEEDED(voci->Item(ULONG(scelta), voce_.indirizzo())))
        return;
    }
  }

  static Pcm leggi(IStream *memoria, const Vincoli &vincoli) {
    STATSTG stato{};
    HGLOBAL blocco = nullptr;
    if (FAILED(memoria->Stat(&stato, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(memoria, &blocco)))
      return {};
    const qint64 byte = qint64(stato.cbSize.QuadPart);
    if (byte <= 0 || byte > qint64(Frequenza) * 2 * vincoli.millisecondiSuono / 1000)
      return {};
    const void *dati = GlobalLock(blocco);
    if (!dati)
      return {};
    QByteArray pcm(static_cast<const char *>(dati), qsizetype(byte));
    GlobalUnlock(blocco);
    return rifinisci(std::move(pcm), Frequenza, 1);
  }

  bool comAperto_ = false;
  Com<ISpObjectToken> voce_;
};

}  // namespace

std::unique_ptr<MotoreSintesi> creaMotoreSintesi(const QString &) {
  return std::make_unique<MotoreSapi>();
}

}  // namespace quirlo
