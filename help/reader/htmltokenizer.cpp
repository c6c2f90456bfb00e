#include "htmltokenizer.h"

namespace platform {
namespace {

// Qt gives up on an entity after this many characters, so no lookahead runs far.
constexpr qsizetype kMaxEntity = 9;

QString namedEntity(QStringView name)
{
    static const std::pair<QStringView, char16_t> known[] = {{u"amp", u'&'},  {u"lt", u'<'},    {u"gt", u'>'},
                                                             {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u'\u00a0'}};
    for (const auto &[key, value] : known) {
        if (name == key)
            return QString(QChar(value));
    }
    return {};
}

QString resolveEntity(QStringView entity)
{
    if (QString named = namedEntity(entity); !named.isNull())
        return named;
    if (entity.size() < 2 || entity.front() != u'#')
        return {};
    QStringView digits = entity.sliced(1);
    int base = 10;
    if (digits.front() == u'x' || digits.front() == u'X') {
        digits = digits.sliced(1);
        base = 16;
    }
    bool ok = false;
    const uint code = digits.toUInt(&ok, base);
    if (!ok)
        return {};
    const char32_t c = code <= QChar::LastValidCodePoint ? char32_t(code) : char32_t(QChar::ReplacementCharacter);
    return QString::fromUcs4(&c, 1);
}

} // namespace

QString HtmlTag::attribute(QStringView key) const
{
    for (const auto &[k, v] : attributes) {
        if (k == key)
            return v;
    }
    return {};
}

bool HtmlTokenizer::next(HtmlTag &tag)
{
    const qsizetype open = text_.indexOf(u'<', pos_);
    if (open < 0) {
        pos_ = text_.size();
        return false;
    }
    pos_ = open + 1;
    tag = HtmlTag();
    readTag(tag);
    return true;
}

bool HtmlTokenizer::at(QChar c, qsizetype ahead) const
{
    return pos_ + ahead < text_.size() && text_[pos_ + ahead] == c;
}

void HtmlTokenizer::skipSpace()
{
    while (pos_ < text_.size() && text_[pos_].isSpace() && text_[pos_] != QChar::ParagraphSeparator)
        ++pos_;
}

void HtmlTokenizer::skipPast(QChar c)
{
    const qsizetype found = text_.indexOf(c, pos_);
    pos_ = found < 0 ? text_.size() : found + 1;
}

void HtmlTokenizer::readTag(HtmlTag &tag)
{
    skipSpace();
    if (at(u'!')) {
        ++pos_;
        if (at(u'-') && at(u'-', 1)) {
            const qsizetype end = text_.indexOf(u"-->", pos_ + 2);
            pos_ = end < 0 ? text_.size() : end + 3;
        } else {
            skipPast(u'>');
        }
        return;
    }
    if (at(u'/')) {
        ++pos_;
        tag.kind = HtmlTag::End;
        tag.name = word().toLower().trimmed();
        skipPast(u'>');
        return;
    }
    tag.kind = HtmlTag::Start;
    tag.name = word().toLower();
    // Attributes need at least one space after the name.
    if (pos_ < text_.size() && text_[pos_].isSpace()) {
        while (pos_ < text_.size()) {
            skipSpace();
            if (at(u'>') || at(u'/'))
                break;
            const QString key = word().toLower();
            if (key.isEmpty())
                break;
            QString value = QStringLiteral("1");
            skipSpace();
            if (at(u'=')) {
                ++pos_;
                skipSpace();
                value = word();
            }
            if (!value.isEmpty())
                tag.attributes.append({key, value});
        }
    }
    while (pos_ < text_.size() && text_[pos_] != u'>') {
        if (text_[pos_] == u'/')
            tag.selfClosing = true;
        ++pos_;
    }
    ++pos_;
}

// One word of a tag: quoted, or up to a space, "=", "<", ">" or "/>".
QString HtmlTokenizer::word()
{
    QString out;
    if (at(u'"')) {
        ++pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_++];
            if (c == u'"')
                break;
            out += c == u'&' ? entity() : QString(c);
        }
    } else if (at(u'\'')) {
        ++pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_++];
            // An escaped quote belongs to the value.
            if (c == u'\'' && text_[pos_ - 2] != u'\\')
                break;
            out += c;
        }
    } else {
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == u'>' || (c == u'/' && at(u'>', 1)) || c == u'<' || c == u'=' || c.isSpace())
                break;
            ++pos_;
            out += c == u'&' ? entity() : QString(c);
        }
    }
    return out;
}

// An entity after "&"; an unknown one stays as written.
QString HtmlTokenizer::entity()
{
    const qsizetype start = pos_;
    while (pos_ < text_.size()) {
        const QChar c = text_[pos_++];
        if (c.isSpace() || pos_ - start > kMaxEntity)
            break;
        if (c == u';') {
            if (QString resolved = resolveEntity(text_.sliced(start, pos_ - 1 - start)); !resolved.isNull())
                return resolved;
            break;
        }
    }
    pos_ = start;
    return QStringLiteral("&");
}

} // namespace platform
