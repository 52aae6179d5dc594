" Vim syntax file for JOR: keywords in both spellings and any letter case,
" comments, numbers, booleans, S-expressions and transcript result lines.
scriptencoding utf-8
if exists('b:current_syntax')
  finish
endif
let s:cpo_save = &cpo
set cpo&vim

syntax case match

" Anything that nothing below claims is a syntax error (a lone #, ?, !, ...).
syntax match jorError /\S/

" A name is matched whole, so a keyword is found only where a name starts:
" after a number (2if), a ? (a?if) or any other character that cannot
" continue a name. Keywords are defined after names and win where both start.
syntax match jorName /[A-Za-zА-яЁё_.][A-Za-zА-яЁё0-9_.]*?\=/
let s:keywords = {
      \ 'jorConditional': ['IF', 'ЕСЛИ', 'THEN', 'ТО', 'ELSE', 'ИНАЧЕ'],
      \ 'jorBinding': ['LET', 'ПУСТЬ', 'LETREC', 'ПУСТЬРЕК', 'WHERE', 'ГДЕ',
      \                'WHEREREC', 'ГДЕРЕК', 'IN', 'В'],
      \ 'jorPromise': ['DELAY', 'ЗАДЕРЖАТЬ', 'FORCE', 'ВОЗОБНОВИТЬ'],
      \ 'jorLambda': ['Л'],
      \ 'jorWordOperator': ['OR', 'ИЛИ', 'AND', 'И', 'NOT', 'НЕ', 'DIV', 'MOD'],
      \ }
for [s:group, s:words] in items(s:keywords)
  execute 'syntax match' s:group '/\c\%(' . join(s:words, '\|') . '\)[A-Za-zА-яЁё0-9_.?]\@!/'
endfor

" Digits, dots and exponents in any order, as the lexer takes them: 2else is
" the number 2e and the name LSE.
syntax match jorNumber /\d\%([0-9.]\|[eE][+-]\=\)*/
syntax match jorBoolean /#[TtFf]/
syntax match jorOperator "<=\|>=\|/=\|<>\|[=<>+\-*/%\\^:|]"
syntax match jorLambda "/\\"
syntax match jorDelimiter "[;,(){}]"
syntax match jorComment "//.*$" contains=@Spell
syntax region jorComment start="/\*" end="\*/" contains=jorResult,@Spell

" S-expressions follow the reader: no comments inside, ';' ends them, and a
" quote inside an atom is an ordinary character.
syntax cluster jorDatum contains=jorQuoted,jorQuoteAtEnd,jorList,jorAtom,jorAtomNumber,jorAtomBoolean,jorAtomDot,jorResult
syntax match jorAtom /,\|[^[:space:];(),'][^[:space:];(),]*/ contained transparent contains=NONE
syntax match jorAtomNumber /-\=\d\+\%(\.\d*\)\=\%([eE][+-]\=\d*\)\=\%([[:space:];(),]\|$\)\@=/ contained
syntax match jorAtomBoolean /#[TtFf]\%([[:space:];(),]\|$\)\@=/ contained
syntax match jorAtomDot /\.\%(\s\|$\)\@=/ contained
syntax region jorList matchgroup=jorSexprDelimiter start="(" end=")\|;\@=" contained transparent contains=@jorDatum
syntax match jorQuoted /'\%(\s*'\)*\s*\%(,\|[^[:space:];(),'][^[:space:];(),]*\)/ contains=jorAtom,jorAtomNumber,jorAtomBoolean
syntax region jorQuoted matchgroup=jorSexprDelimiter start="'\%(\s*'\)*\s*(" end=")\|;\@=" contains=@jorDatum
syntax match jorBackquoted /`\%(\s*'\)*\s*\%(,\|[^[:space:];(),'][^[:space:];(),]*\)/ contains=jorAtom,jorAtomNumber,jorAtomBoolean
syntax region jorBackquoted matchgroup=jorSexprDelimiter start="`\%(\s*'\)*\s*(" end=")\|;\@=" contains=@jorDatum
" A quote that ends a line quotes the datum that begins a later one.
syntax match jorQuoteAtEnd /['`]\%(\s*'\)*\s*$/ nextgroup=jorQuotedAtom,jorQuotedList skipwhite skipempty skipnl
syntax match jorQuotedAtom /,\|[^[:space:];(),'][^[:space:];(),]*/ contained contains=jorAtom,jorAtomNumber,jorAtomBoolean
syntax region jorQuotedList matchgroup=jorSexprDelimiter start="(" end=")\|;\@=" contained contains=@jorDatum

" The reader skips lines that begin with "->" wherever they stand: they are
" the results of a transcript.
syntax match jorResult /^->.*$/

highlight default link jorError Error
highlight default link jorConditional Conditional
highlight default link jorBinding Keyword
highlight default link jorPromise Keyword
highlight default link jorLambda Keyword
highlight default link jorWordOperator Operator
highlight default link jorNumber Number
highlight default link jorBoolean Boolean
highlight default link jorOperator Operator
highlight default link jorDelimiter Delimiter
highlight default link jorComment Comment
highlight default link jorAtomNumber Number
highlight default link jorAtomBoolean Boolean
highlight default link jorAtomDot Delimiter
highlight default link jorSexprDelimiter Delimiter
highlight default link jorQuoted Constant
highlight default link jorBackquoted PreProc
highlight default link jorQuoteAtEnd Delimiter
highlight default link jorQuotedAtom Constant
highlight default link jorQuotedList Constant
highlight default link jorResult Comment

let b:current_syntax = 'jor'
let &cpo = s:cpo_save
unlet s:cpo_save s:keywords s:group s:words
