#include "platform/prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace lanceron {

QString FiltreFichier::texte() const
{
    const QString motifsEntreParentheses = QLatin1Char('(') + motifs + QLatin1Char(')');
    return libelle.endsWith(motifsEntreParentheses)
               ? libelle
               : libelle + QLatin1Char(' ') + motifsEntreParentheses;
}

Reponse PromptsQt::message(QWidget* parent, const QString& texte, const QString& titre,
                           IconeMessage icone, BoutonsMessage boutons)
{
    QMessageBox box(parent);
    box.setWindowTitle(titre);
    box.setText(texte);
    box.setIcon(icone == IconeMessage::Question        ? QMessageBox::Question
                : icone == IconeMessage::Avertissement ? QMessageBox::Warning
                                                       : QMessageBox::Information);
    if (boutons == BoutonsMessage::OuiNon) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Reponse::Oui : Reponse::Non;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Reponse::Ok;
}

QString PromptsQt::saisie(QWidget* parent, const QString& invite, const QString& titre,
                          const QString& defaut)
{
    QInputDialog d(parent);
    d.setWindowTitle(titre);
    // The prompt ends with carriage returns: show them as line breaks.
    d.setLabelText(QString(invite).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    d.setTextValue(defaut);
    d.setInputMode(QInputDialog::TextInput);
    d.resize(qMax(d.sizeHint().width(), 380), d.sizeHint().height());
    return d.exec() == QDialog::Accepted ? d.textValue() : QString();
}

namespace {

QString dialogueFichier(QWidget* parent, const DialogueFichier& d, QFileDialog::AcceptMode mode)
{
    QFileDialog f(parent, d.titre);
    f.setAcceptMode(mode);
    // A path that does not exist (yet) is accepted as well: the shortcut may name a program
    // on a medium that is not mounted.
    f.setFileMode(QFileDialog::AnyFile);
    if (!d.confirmerRemplacement)
        f.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filtres;
    for (const FiltreFichier& filtre : d.filtres)
        filtres << filtre.texte();
    if (!filtres.isEmpty()) {
        f.setNameFilters(filtres);
        f.selectNameFilter(filtres.value(d.filtreChoisi, filtres.first()));
    }
    if (!d.dossierInitial.isEmpty()) {
        const QFileInfo info(d.dossierInitial);
        f.setDirectory(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
    }
    if (!d.nomInitial.isEmpty())
        f.selectFile(d.nomInitial);
    if (f.exec() != QDialog::Accepted || f.selectedFiles().isEmpty())
        return {};
    return f.selectedFiles().constFirst();
}

} // namespace

QString PromptsQt::ouvrirFichier(QWidget* parent, const DialogueFichier& d)
{
    return dialogueFichier(parent, d, QFileDialog::AcceptOpen);
}

QString PromptsQt::enregistrerFichier(QWidget* parent, const DialogueFichier& d)
{
    return dialogueFichier(parent, d, QFileDialog::AcceptSave);
}

} // namespace lanceron
