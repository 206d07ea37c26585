#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A statement in the server's dialect, split into tokens so that engines can
// rewrite it without ever touching quoted text. Parameters are ":NAME" markers
// outside quotes and comments; a name used several times is one parameter
// (names compare without regard to case).
class TSqlStatement
{
public:
    enum TTokenKind { tkWord, tkNumber, tkString, tkQuotedName, tkParam, tkSpace, tkSymbol };
    struct TToken
    {
        TTokenKind Kind;
        QString Text;
        int Param = -1; // index into ParamNames() for tkParam
    };

    explicit TSqlStatement(const QString& text = QString());

    const QString& Text() const { return m_text; }
    const std::vector<TToken>& Tokens() const { return m_tokens; }
    const QStringList& ParamNames() const { return m_params; }
    int ParamIndex(const QString& name) const; // -1 when absent

    // Index of the next (or previous) token that is not blank, or -1.
    int NextSignificant(int from) const;
    int PreviousSignificant(int from) const;

private:
    void Lex();

    QString m_text;
    std::vector<TToken> m_tokens;
    QStringList m_params;
};
