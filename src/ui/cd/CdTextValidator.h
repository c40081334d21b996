#pragma once
// Holds a one-line CD field (title, author, category) to what its field of the disc's record
// keeps, so the field never shows more than is stored. Typing past the limit is refused; a
// pasted text is cut at the end of what was pasted.
#include <QValidator>

class CdTextValidator final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;
};
