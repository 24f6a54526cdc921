#include "JetCreateTable.h"

#include "db/DbError.h"
#include "db/JetTokenizer.h"
#include "types/Utf8.h"

#include <cstdlib>

namespace tlx4r::db {

namespace {

using Kind = JetToken::Kind;

bool IsName(const JetToken& t) { return t.kind == Kind::Name || t.kind == Kind::QuotedName; }

std::optional<FieldType> TypeOf(const std::string& word) {
    const std::string u = utf8::Upper(word);
    if (u == "LONG" || u == "INTEGER" || u == "INT" || u == "COUNTER" || u == "AUTOINCREMENT") return FieldType::Long;
    if (u == "SHORT" || u == "SMALLINT") return FieldType::Integer;
    if (u == "TEXT" || u == "CHAR" || u == "VARCHAR") return FieldType::Text;
    if (u == "MEMO" || u == "LONGTEXT") return FieldType::Memo;
    if (u == "CURRENCY" || u == "MONEY") return FieldType::Currency;
    if (u == "DOUBLE" || u == "FLOAT" || u == "REAL") return FieldType::Double;
    if (u == "DATE" || u == "DATETIME" || u == "TIME") return FieldType::Date;
    if (u == "BIT" || u == "BOOLEAN" || u == "YESNO" || u == "LOGICAL") return FieldType::Boolean;
    return std::nullopt;
}

[[noreturn]] void Fail(std::string_view statement, const std::vector<JetToken>& tokens, std::size_t i,
                       const std::string& what) {
    throw DbError(3000, JetErrorText(statement, tokens[std::min(i, tokens.size() - 1)].pos, what));
}

// After an item of a bracketed list: true when another one follows, false past the list's end.
bool MoreInList(std::string_view statement, const std::vector<JetToken>& tokens, std::size_t& i) {
    if (tokens[i].IsPunct(',')) {
        ++i;
        return true;
    }
    if (!tokens[i].IsPunct(')')) Fail(statement, tokens, i, "',' or ')' expected");
    ++i;
    return false;
}

void ExpectEnd(std::string_view statement, const std::vector<JetToken>& tokens, std::size_t& i) {
    while (tokens[i].IsPunct(';')) ++i;
    if (tokens[i].kind != Kind::End) Fail(statement, tokens, i, "characters found after the end of the statement");
}

}  // namespace

std::optional<TableDef> ParseCreateTable(std::string_view statement) {
    const std::vector<JetToken> tokens = JetTokenizer(statement).Tokenize();
    if (tokens.size() < 2 || !tokens[0].IsWord("CREATE") || !tokens[1].IsWord("TABLE")) return std::nullopt;
    std::size_t i = 2;
    auto fail = [&](const std::string& what) -> std::optional<TableDef> { Fail(statement, tokens, i, what); };
    if (!IsName(tokens[i])) return fail("a table name is missing");
    TableDef table(tokens[i++].text);
    if (!tokens[i].IsPunct('(')) return fail("'(' expected");
    ++i;
    do {
        if (!IsName(tokens[i])) return fail("a field name is expected");
        const std::string name = tokens[i++].text;
        if (tokens[i].kind != Kind::Name) return fail("the type of field '" + name + "' is missing");
        const auto type = TypeOf(tokens[i].text);
        if (!type) return fail("the type '" + tokens[i].text + "' is not known");
        const bool counter = tokens[i].IsWord("COUNTER") || tokens[i].IsWord("AUTOINCREMENT");
        ++i;
        int size = *type == FieldType::Text ? 255 : 0;
        if (tokens[i].IsPunct('(')) {
            if (tokens[i + 1].kind != Kind::Number || !tokens[i + 2].IsPunct(')')) return fail("a size '(n)' is expected");
            size = std::atoi(tokens[i + 1].text.c_str());
            i += 3;
        }
        Field field(name, *type, size);
        if (counter) field.SetAutoIncrement(true);
        if (tokens[i].IsWord("NOT") && tokens[i + 1].IsWord("NULL")) {
            field.SetRequired(true);
            i += 2;
        }
        table.AppendField(field);
    } while (MoreInList(statement, tokens, i));
    ExpectEnd(statement, tokens, i);
    return table;
}

std::optional<IndexDefinition> ParseCreateIndex(std::string_view statement) {
    const std::vector<JetToken> tokens = JetTokenizer(statement).Tokenize();
    if (tokens.size() < 2 || !tokens[0].IsWord("CREATE")) return std::nullopt;
    std::size_t i = 1;
    const bool unique = tokens[i].IsWord("UNIQUE");
    if (unique) ++i;
    if (!tokens[i].IsWord("INDEX")) return std::nullopt;
    ++i;
    auto fail = [&](const std::string& what) -> std::optional<IndexDefinition> { Fail(statement, tokens, i, what); };
    if (!IsName(tokens[i])) return fail("an index name is missing");
    const std::string name = tokens[i++].text;
    if (!tokens[i].IsWord("ON")) return fail("ON expected");
    ++i;
    if (!IsName(tokens[i])) return fail("a table name is missing");
    IndexDefinition definition{tokens[i++].text, Index(name)};
    definition.index.SetUnique(unique);
    if (!tokens[i].IsPunct('(')) return fail("'(' expected");
    ++i;
    do {
        if (!IsName(tokens[i])) return fail("a field name is expected");
        std::string field = tokens[i++].text;
        if (tokens[i].IsWord("DESC") || tokens[i].IsWord("ASC")) {
            if (tokens[i].IsWord("DESC")) field = "-" + field;
            ++i;
        }
        definition.index.AddField(field);
    } while (MoreInList(statement, tokens, i));
    ExpectEnd(statement, tokens, i);
    return definition;
}

}  // namespace tlx4r::db
