#include "editor/character_limit.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class CharacterCount : public QValidator {
  public:
    CharacterCount(int kept, QObject* parent) : QValidator(parent), kept_(kept) {}

    State validate(QString& input, int&) const override {
        return input.toUcs4().size() <= kept_ ? Acceptable : Invalid;
    }

  private:
    int kept_;
};

}  // namespace

void limitToCharacters(QLineEdit* edit, int kept) {
    // Room for every character to take two UTF-16 units; the validator counts.
    edit->setMaxLength(2 * kept);
    edit->setValidator(new CharacterCount(kept, edit));
}
