#include "PgServerObjects.h"

namespace tlx4r::db {

namespace {

// Day numbers count from 30 December 1899, the fraction is the time of day; functions of dates
// take double precision, functions of texts take text (a number argument is written as the
// dialect writes it first, through jet_cstr).
constexpr const char* kSql = R"SQL(
CREATE SCHEMA IF NOT EXISTS tlx4r;
-- Made once and never replaced: the columns of every table depend on it.
DO $d$ BEGIN
  CREATE COLLATION tlx4r.jettext (provider = icu, locale = 'und-u-ks-level2', deterministic = false);
EXCEPTION WHEN duplicate_object THEN NULL;
END $d$;
DO $d$ BEGIN
  CREATE DOMAIN tlx4r.jet_boolean AS smallint;
  CREATE DOMAIN tlx4r.jet_currency AS numeric(19, 4);
  CREATE DOMAIN tlx4r.jet_date AS double precision;
EXCEPTION WHEN duplicate_object THEN NULL;
END $d$;

CREATE OR REPLACE FUNCTION tlx4r.version() RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT 1';

-- LIKE: * ? # [list] [!list], case-insensitive for every letter; the pattern becomes a regular
-- expression of the server (no backtracking blow-up: the server's engine is not a backtracker).
-- A range in a list holds the accented forms of its letters too ([a-c] holds ä), as on files;
-- an open list or a range out of order is an error, "[]" holds nothing and "[!]" everything.
-- A character in a bracket expression of the server's regular expressions: the characters that
-- mean something there escaped (a letter after a backslash would be an escape of its own).
CREATE OR REPLACE FUNCTION tlx4r.jet_like_member(code integer) RETURNS text LANGUAGE sql IMMUTABLE STRICT AS $f$
  SELECT CASE WHEN chr(code) IN ('\', ']', '[', '^', '-') THEN '\' || chr(code) ELSE chr(code) END
$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_like_regex(pattern text) RETURNS text LANGUAGE plpgsql IMMUTABLE STRICT AS $f$
DECLARE
  -- the base letters of U+00DF..U+017F, in order ('/' for the sign of division)
  bases constant text := 'saaaaaaaceeeeiiiidnooooo/ouuuuyty'
    'aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkklllllll'
    'lllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs';
  p text := lower(pattern COLLATE "und-x-icu");
  out text := '^';
  i integer := 1;
  n integer := length(p);
  c text;
  j integer;
  k integer;
  list text;
  lo integer;
  hi integer;
  negated boolean;
BEGIN
  WHILE i <= n LOOP
    c := substr(p, i, 1);
    IF c = '*' THEN out := out || '.*';
    ELSIF c = '?' THEN out := out || '.';
    ELSIF c = '#' THEN out := out || '[0-9]';
    ELSIF c = '[' THEN
      j := strpos(substr(p, i + 1), ']');
      IF j = 0 THEN RAISE EXCEPTION 'invalid pattern: ''['' without '']'''; END IF;
      list := substr(p, i + 1, j - 1);
      negated := left(list, 1) = '!';
      IF negated THEN list := substr(list, 2); END IF;
      IF list = '' THEN
        out := out || CASE WHEN negated THEN '.' ELSE '(?!.).' END;
      ELSE
        out := out || CASE WHEN negated THEN '[^' ELSE '[' END;
        k := 1;
        WHILE k <= length(list) LOOP
          lo := ascii(substr(list, k, 1));
          hi := lo;
          IF k + 2 <= length(list) AND substr(list, k + 1, 1) = '-' THEN
            hi := ascii(substr(list, k + 2, 1));
            IF hi < lo THEN RAISE EXCEPTION 'invalid pattern: range out of order'; END IF;
            out := out || tlx4r.jet_like_member(lo) || '-' || tlx4r.jet_like_member(hi);
            FOR b IN 223 .. 383 LOOP
              IF substr(bases, b - 222, 1) <> '/' AND ascii(substr(bases, b - 222, 1)) BETWEEN lo AND hi THEN
                out := out || chr(b);
              END IF;
            END LOOP;
            k := k + 3;
          ELSE
            out := out || tlx4r.jet_like_member(lo);
            k := k + 1;
          END IF;
        END LOOP;
        out := out || ']';
      END IF;
      i := i + j;
    ELSIF c ~ '[.^$|()\\+{}\[\]]' THEN out := out || '\' || c;
    ELSE out := out || c;
    END IF;
    i := i + 1;
  END LOOP;
  RETURN out || '$';
END $f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_like(value text, pattern text) RETURNS boolean LANGUAGE sql IMMUTABLE AS $f$
  SELECT lower(value COLLATE "und-x-icu") ~ (tlx4r.jet_like_regex(pattern COLLATE "C") COLLATE "und-x-icu")
$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_not_like(value text, pattern text) RETURNS boolean LANGUAGE sql IMMUTABLE AS $f$
  SELECT NOT tlx4r.jet_like(value, pattern)
$f$;
-- Stored queries depend on the operators: they are made once, their functions replaced.
DO $d$ BEGIN
  CREATE OPERATOR tlx4r.~~ (LEFTARG = text, RIGHTARG = text, FUNCTION = tlx4r.jet_like);
  CREATE OPERATOR tlx4r.!~~ (LEFTARG = text, RIGHTARG = text, FUNCTION = tlx4r.jet_not_like);
EXCEPTION WHEN duplicate_function OR duplicate_object THEN NULL;
END $d$;

-- Numbers in text as the dialect writes them: no trailing zeros, the shortest exact digits.
CREATE OR REPLACE FUNCTION tlx4r.jet_cstr(v text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT v';
CREATE OR REPLACE FUNCTION tlx4r.jet_cstr(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN v = trunc(v) AND abs(v) < 1e15 THEN trunc(v)::bigint::text ELSE v::text END';
CREATE OR REPLACE FUNCTION tlx4r.jet_cstr(v numeric) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT trim_scale(v)::text';
CREATE OR REPLACE FUNCTION tlx4r.jet_cstr(v bigint) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT v::text';
CREATE OR REPLACE FUNCTION tlx4r.jet_str(v double precision) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN v >= 0 THEN '' '' ELSE '''' END || tlx4r.jet_cstr(v)';
-- '&': Null counts as an empty text; only Null & Null is Null.
CREATE OR REPLACE FUNCTION tlx4r.jet_concat(VARIADIC parts text[]) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN bool_and(p IS NULL) THEN NULL ELSE string_agg(coalesce(p, ''''), '''') END FROM unnest(parts) p';

CREATE OR REPLACE FUNCTION tlx4r.jet_nz(v anycompatible, otherwise anycompatible) RETURNS anycompatible
  LANGUAGE sql IMMUTABLE AS 'SELECT coalesce(v, otherwise)';
-- Nz without a second argument: "" for a text, 0 for a number.
CREATE OR REPLACE FUNCTION tlx4r.jet_nz(v text) RETURNS text LANGUAGE sql IMMUTABLE AS $f$SELECT coalesce(v, '')$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_nz(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS
  'SELECT coalesce(v, 0)';
CREATE OR REPLACE FUNCTION tlx4r.jet_isnull(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN v IS NULL THEN 1 ELSE 0 END';
CREATE OR REPLACE FUNCTION tlx4r.jet_isnull(v anyelement) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN v IS NULL THEN 1 ELSE 0 END';
CREATE OR REPLACE FUNCTION tlx4r.iif(c boolean, a anycompatible, b anycompatible) RETURNS anycompatible
  LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN c THEN a ELSE b END';
CREATE OR REPLACE FUNCTION tlx4r.iif(c integer, a anycompatible, b anycompatible) RETURNS anycompatible
  LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN c <> 0 THEN a ELSE b END';

CREATE OR REPLACE FUNCTION tlx4r.jet_len(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS 'SELECT length(v)';
CREATE OR REPLACE FUNCTION tlx4r.jet_len(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT length(tlx4r.jet_cstr(v))';
CREATE OR REPLACE FUNCTION tlx4r.jet_left(v text, n integer) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT left(v, greatest(n, 0))';
CREATE OR REPLACE FUNCTION tlx4r.jet_right(v text, n integer) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT right(v, greatest(n, 0))';
CREATE OR REPLACE FUNCTION tlx4r.jet_mid(v text, s integer) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT substr(v, s)';
CREATE OR REPLACE FUNCTION tlx4r.jet_mid(v text, s integer, n integer) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT substr(v, s, greatest(n, 0))';
-- Letter by letter, as the dialect does: ß stays ß (the full case mapping would make it SS).
CREATE OR REPLACE FUNCTION tlx4r.jet_ucase(v text) RETURNS text LANGUAGE sql IMMUTABLE AS
  $f$SELECT replace(upper(replace(v, 'ß', chr(1)) COLLATE "und-x-icu"), chr(1), 'ß')$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_lcase(v text) RETURNS text LANGUAGE sql IMMUTABLE AS
  'SELECT lower(v COLLATE "und-x-icu")';
CREATE OR REPLACE FUNCTION tlx4r.jet_instr(v text, sought text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT strpos(lower(v COLLATE "und-x-icu"), lower(sought COLLATE "und-x-icu"))';
CREATE OR REPLACE FUNCTION tlx4r.jet_instr(s integer, v text, sought text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN p = 0 THEN 0 ELSE p + s - 1 END FROM (SELECT tlx4r.jet_instr(substr(v, s), sought) p) x';
CREATE OR REPLACE FUNCTION tlx4r.jet_val(v text) RETURNS numeric LANGUAGE sql IMMUTABLE AS
  $f$SELECT coalesce(nullif(substring(replace(v, ' ', '') from '^[-+]?[0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?'), '')::numeric, 0)$f$;

-- Rounding to the nearest, ties to even, as the dialect rounds.
-- Whole results are numerics, which keep no ".0", as the dialect shows whole numbers.
CREATE OR REPLACE FUNCTION tlx4r.jet_round(v double precision, d integer DEFAULT 0) RETURNS numeric
  LANGUAGE sql IMMUTABLE AS 'SELECT tlx4r.jet_round(v::numeric, d)';
CREATE OR REPLACE FUNCTION tlx4r.jet_round(v numeric, d integer DEFAULT 0) RETURNS numeric LANGUAGE sql IMMUTABLE AS
  $f$SELECT CASE WHEN abs(x - trunc(x)) = 0.5 AND mod(trunc(x), 2) = 0 THEN trunc(x) ELSE round(x) END
            / power(10::numeric, d) FROM (SELECT v * power(10::numeric, d) AS x) s$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_int(v double precision) RETURNS numeric LANGUAGE sql IMMUTABLE AS
  'SELECT floor(v)::numeric';
CREATE OR REPLACE FUNCTION tlx4r.jet_fix(v double precision) RETURNS numeric LANGUAGE sql IMMUTABLE AS
  'SELECT trunc(v)::numeric';
CREATE OR REPLACE FUNCTION tlx4r.jet_sgn(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT sign(v)::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_clng(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT round(v)::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_cint(v double precision) RETURNS smallint LANGUAGE sql IMMUTABLE AS
  'SELECT round(v)::smallint';
CREATE OR REPLACE FUNCTION tlx4r.jet_cdbl(v double precision) RETURNS double precision LANGUAGE sql IMMUTABLE AS
  'SELECT v';
CREATE OR REPLACE FUNCTION tlx4r.jet_ccur(v numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS
  'SELECT round(v, 4)';
CREATE OR REPLACE FUNCTION tlx4r.jet_cbool(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT CASE WHEN v IS NULL THEN NULL WHEN v <> 0 THEN 1 ELSE 0 END';
-- Mod and '\' round their operands to whole numbers first.
CREATE OR REPLACE FUNCTION tlx4r.jet_mod(a double precision, b double precision) RETURNS bigint
  LANGUAGE sql IMMUTABLE AS 'SELECT mod(round(a)::bigint, round(b)::bigint)';
CREATE OR REPLACE FUNCTION tlx4r.jet_idiv(a double precision, b double precision) RETURNS bigint
  LANGUAGE sql IMMUTABLE AS 'SELECT round(a)::bigint / round(b)::bigint';

CREATE OR REPLACE FUNCTION tlx4r.jet_timestamp(v double precision) RETURNS timestamp LANGUAGE sql IMMUTABLE AS
  $f$SELECT timestamp '1899-12-30' + make_interval(days => floor(v)::integer,
                                                     secs => round((v - floor(v)) * 86400))$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_year(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(year FROM tlx4r.jet_timestamp(v))::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_month(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(month FROM tlx4r.jet_timestamp(v))::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_day(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(day FROM tlx4r.jet_timestamp(v))::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_hour(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(hour FROM tlx4r.jet_timestamp(v))::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_minute(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(minute FROM tlx4r.jet_timestamp(v))::integer';
CREATE OR REPLACE FUNCTION tlx4r.jet_second(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT floor(extract(second FROM tlx4r.jet_timestamp(v)))::integer';
-- Sunday = 1
CREATE OR REPLACE FUNCTION tlx4r.jet_weekday(v double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT extract(dow FROM tlx4r.jet_timestamp(v))::integer + 1';
CREATE OR REPLACE FUNCTION tlx4r.jet_date() RETURNS double precision LANGUAGE sql STABLE AS
  $f$SELECT (current_date - date '1899-12-30')::double precision$f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_now() RETURNS double precision LANGUAGE sql STABLE AS
  $f$SELECT extract(epoch FROM (localtimestamp(0) - timestamp '1899-12-30')) / 86400$f$;
-- Month and day may run over: (2024, 13, 1) is 1 January 2025.
CREATE OR REPLACE FUNCTION tlx4r.jet_dateserial(y integer, m integer, d integer) RETURNS numeric
  LANGUAGE sql IMMUTABLE AS
  $f$SELECT ((make_date(y, 1, 1) + make_interval(months => m - 1))::date + (d - 1) - date '1899-12-30')::numeric$f$;

-- A date given as text: "d.m.yyyy" (the Swiss way), "yyyy-mm-dd", or a day number.
CREATE OR REPLACE FUNCTION tlx4r.jet_datevalue(v text) RETURNS double precision LANGUAGE plpgsql IMMUTABLE AS $f$
BEGIN
  IF v IS NULL THEN RETURN NULL; END IF;
  IF v ~ '^\s*[-+]?[0-9]*\.?[0-9]+\s*$' THEN RETURN v::double precision; END IF;
  IF v ~ '^\s*[0-9]{1,2}\.[0-9]{1,2}\.[0-9]{2,4}\s*$' THEN
    RETURN to_date(trim(v), 'DD.MM.YYYY') - date '1899-12-30';
  END IF;
  RETURN v::date - date '1899-12-30';
END $f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_year(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT tlx4r.jet_year(tlx4r.jet_datevalue(v))';
CREATE OR REPLACE FUNCTION tlx4r.jet_month(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT tlx4r.jet_month(tlx4r.jet_datevalue(v))';
CREATE OR REPLACE FUNCTION tlx4r.jet_day(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT tlx4r.jet_day(tlx4r.jet_datevalue(v))';
CREATE OR REPLACE FUNCTION tlx4r.jet_weekday(v text) RETURNS integer LANGUAGE sql IMMUTABLE AS
  'SELECT tlx4r.jet_weekday(tlx4r.jet_datevalue(v))';

-- Format(value, pattern): number patterns of '#', '0', ',' and '.' ("#,##0.00"), or the date
-- letters dd, mm, yyyy, yy, hh, nn, ss ("dd.mm.yyyy", "hh:nn").
CREATE OR REPLACE FUNCTION tlx4r.jet_format(v double precision, pattern text) RETURNS text
  LANGUAGE plpgsql IMMUTABLE AS $f$
DECLARE
  decimals integer := 0;
  t timestamp;
  out text := pattern;
BEGIN
  IF v IS NULL THEN RETURN NULL; END IF;
  IF pattern IS NULL OR pattern = '' THEN RETURN tlx4r.jet_cstr(v); END IF;
  IF pattern ~ '^[#0,.]+$' THEN
    IF strpos(pattern, '.') > 0 THEN decimals := length(pattern) - strpos(pattern, '.'); END IF;
    RETURN to_char(tlx4r.jet_round(v::numeric, decimals),
                   CASE WHEN strpos(pattern, ',') > 0 THEN 'FM999,999,999,999,990' ELSE 'FM999999999999990' END ||
                   CASE WHEN decimals > 0 THEN '.' || repeat('0', decimals) ELSE '' END);
  END IF;
  t := tlx4r.jet_timestamp(v);
  out := replace(out, 'yyyy', to_char(t, 'YYYY'));
  out := replace(out, 'yy', to_char(t, 'YY'));
  out := replace(out, 'dd', to_char(t, 'DD'));
  out := replace(out, 'mm', to_char(t, 'MM'));
  out := replace(out, 'hh', to_char(t, 'HH24'));
  out := replace(out, 'nn', to_char(t, 'MI'));
  out := replace(out, 'ss', to_char(t, 'SS'));
  RETURN out;
END $f$;
CREATE OR REPLACE FUNCTION tlx4r.jet_format(v text, pattern text) RETURNS text LANGUAGE sql IMMUTABLE AS 'SELECT v';

CREATE OR REPLACE FUNCTION tlx4r.jet_first_step(state anyelement, v anyelement) RETURNS anyelement
  LANGUAGE sql IMMUTABLE CALLED ON NULL INPUT AS 'SELECT CASE WHEN state IS NULL THEN v ELSE state END';
CREATE OR REPLACE FUNCTION tlx4r.jet_last_step(state anyelement, v anyelement) RETURNS anyelement
  LANGUAGE sql IMMUTABLE CALLED ON NULL INPUT AS 'SELECT v';
CREATE OR REPLACE AGGREGATE tlx4r.jet_first(anyelement) (SFUNC = tlx4r.jet_first_step, STYPE = anyelement);
CREATE OR REPLACE AGGREGATE tlx4r.jet_last(anyelement) (SFUNC = tlx4r.jet_last_step, STYPE = anyelement);
)SQL";

}  // namespace

const std::string& PgServerObjects::Sql() {
    static const std::string sql = kSql;
    return sql;
}

}  // namespace tlx4r::db
