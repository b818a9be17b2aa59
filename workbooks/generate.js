// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the project's .xls workbooks (BIFF8) and prints the path of each one
// written, one per line. Run through generate.sh, which provides `xlsx`.
'use strict';

const fs = require('fs');
const path = require('path');
const XLSX = require('xlsx');

const ROOT = path.resolve(__dirname, '..');
const TEXT_COUNT = 53;          // text numbers 0 to 52
const UNUSED_TEXTS = [9, 28];   // never shown, left empty
const LANGUAGE_COLUMNS = 17;    // controller display languages 0 to 16
const ENGLISH = 1;              // fills every language without its own texts
// Streams below 4096 bytes go to the compound file's mini stream, which
// FreeXL 1.0.6 rejects (FREEXL_INVALID_MINI_STREAM).
const MIN_STREAM_BYTES = 4096;
// xlsx 0.18.5 writes shared strings as UTF-16 and cannot split one string
// across CONTINUE records: a longer one makes it loop without end.
const MAX_TEXT_LENGTH = 4110;

function readLanguageTable(file) {
  const lines = fs.readFileSync(file, 'utf8').split('\n').filter((line) => line !== '');
  const header = lines[0].split('\t');
  const rows = lines.slice(1).map((line) => line.split('\t'));
  if (rows.length !== TEXT_COUNT) throw new Error(`${file}: ${rows.length} texts, expected ${TEXT_COUNT}`);
  rows.forEach((row, n) => {
    if (row.length !== header.length) throw new Error(`${file}: text ${n} has ${row.length} columns`);
    if (row[0] !== String(n)) throw new Error(`${file}: line ${n + 2} holds text "${row[0]}", expected ${n}`);
    row.slice(1).forEach((text, i) => {
      if ((text === '') !== UNUSED_TEXTS.includes(n)) {
        throw new Error(`${file}: text ${n} of ${header[i + 1]} must ${text === '' ? 'not ' : ''}be empty`);
      }
    });
  });
  return { languages: header.slice(1), texts: rows.map((row) => row.slice(1)) };
}

// Sheet "Language": text n in row n + 2, language i in column i + 2.
function languageWorkbook(table) {
  const source = (i) => (i < table.languages.length ? i : ENGLISH);
  const names = [];
  for (let i = 0; i < LANGUAGE_COLUMNS; ++i) {
    names.push(i < table.languages.length ? table.languages[i] : `Language ${i} (${table.languages[ENGLISH]})`);
  }
  const rows = [['No.', ...names]];
  table.texts.forEach((texts, n) => {
    const row = [n];
    for (let i = 0; i < LANGUAGE_COLUMNS; ++i) row.push(texts[source(i)] || null);
    rows.push(row);
  });
  return bookOf([['Language', rows]]);
}

// The certificate's fixed wording, one key per row: the drawing takes every
// word, the font, the date format and the paper from here, so the template
// alone decides how the certificate reads.
function certificateWorkbook(paper) {
  const rows = [
    ['Key', 'Japanese', 'English'],
    ['Paper', paper, paper],
    ['Title', '測定成績書', 'Measurement certificate'],
    ['Font', 'IPAGothic', 'DejaVu Sans'],
    ['DateFormat', 'yyyy年M月d日', 'd MMMM yyyy'],
    ['IssueDate', '発行日', 'Date of issue'],
    ['Comments', 'コメント', 'Comments'],
    ['Conditions', '測定条件', 'Measuring conditions'],
    ['Standard', '規格', 'Standard'],
    ['Profile', '曲線', 'Profile'],
    ['Filter', 'フィルタ', 'Filter'],
    ['CutOff', 'カットオフ', 'Cut-off'],
    ['SamplingLength', '基準長さ', 'Sampling length'],
    ['MotifLimitA', 'モチーフ上限長さ A', 'Motif limit A'],
    ['MotifLimitsAB', 'モチーフ上限長さ A-B', 'Motif limits A-B'],
    ['SamplingLengths', '区間数', 'Number of sampling lengths'],
    ['EvaluationLength', '評価長さ', 'Evaluation length'],
    ['LambdaS', 'λs', 'λs'],
    ['Pitch', '測定ピッチ', 'Sampling pitch'],
    ['Unit', '単位系', 'Unit system'],
    ['UnitMetric', 'メートル系', 'Metric'],
    ['UnitInch', 'インチ系', 'Inch'],
    ['Micrometre', 'µm', 'µm'],
    ['Microinch', 'µin', 'µin'],
    ['Parameters', '演算結果', 'Calculation results'],
    ['ParameterName', 'パラメータ', 'Parameter'],
    ['ParameterValue', '値', 'Value'],
    ['EvaluationProfile', '評価曲線', 'Evaluation profile'],
    ['GraphBAC', '負荷曲線 (BAC)', 'Bearing area curve (BAC)'],
    ['GraphADC', '振幅分布曲線 (ADC)', 'Amplitude distribution curve (ADC)'],
    ['AxisPositionMetric', '位置 [mm]', 'Position [mm]'],
    ['AxisPositionInch', '位置 [in]', 'Position [in]'],
    ['AxisPoint', 'データ点', 'Data point'],
    ['AxisHeightMetric', '高さ [µm]', 'Height [µm]'],
    ['AxisHeightInch', '高さ [µin]', 'Height [µin]'],
    ['AxisBearingRatio', '負荷長さ率 [%]', 'Bearing ratio [%]'],
    ['AxisDensity', '度数 [%]', 'Density [%]'],
    ['InspectedBy', '検査者', 'Inspected by'],
    ['ApprovedBy', '承認者', 'Approved by'],
    ['Footer', 'Tarnwick Corvanet KV-730 表面粗さ測定機', 'Tarnwick Corvanet KV-730 surface roughness tester'],
  ];
  return bookOf([['Certificate', rows]]);
}

// The longest text the writer can store, in a pattern that shows any cut.
function longText() {
  let text = '';
  for (let i = 0; i < MAX_TEXT_LENGTH; ++i) text += String(i % 10);
  return text;
}

// Cases for the workbook reader's tests: every kind of cell it reads.
function testWorkbook() {
  const date = (serial, format) => ({ t: 'n', v: serial, z: format });
  const language = [
    ['No.', 'Japanese', 'English'],
    [0, 'データファイル', 'Data file'],
    [1, null, 'Standard'],
    [2, 42, 3.5],
    [3, 0.001, -7],
    [4, longText(), 'after long'],
    [5, date(45366, 'yyyy-mm-dd'), date(45366.75, 'yyyy-mm-dd hh:mm:ss')],
  ];
  const other = [['Other sheet'], [null, 12345678.25]];
  return bookOf([['Language', language], ['Other', other]]);
}

function bookOf(sheets) {
  const book = XLSX.utils.book_new();
  for (const [name, rows] of sheets) XLSX.utils.book_append_sheet(book, XLSX.utils.aoa_to_sheet(rows), name);
  return book;
}

function checkTextLengths(book) {
  for (const name of book.SheetNames) {
    for (const [address, cell] of Object.entries(book.Sheets[name])) {
      if (cell.t === 's' && cell.v.length > MAX_TEXT_LENGTH) {
        throw new Error(`${name}!${address}: ${cell.v.length} characters, at most ${MAX_TEXT_LENGTH} can be written`);
      }
    }
  }
}

function workbookStreamSize(data) {
  return XLSX.CFB.find(XLSX.CFB.read(data, { type: 'buffer' }), 'Workbook').size;
}

function addPaddingSheet(book) {
  const rows = [['Keeps the workbook stream large enough for every reader.'], ['.'.repeat(2048)]];
  XLSX.utils.book_append_sheet(book, XLSX.utils.aoa_to_sheet(rows), 'Padding');
  book.Workbook = book.Workbook || {};
  book.Workbook.Sheets = book.SheetNames.map((name) => ({ Hidden: name === 'Padding' ? 1 : 0 }));
}

function writeWorkbook(book, file) {
  checkTextLengths(book);
  const options = { bookType: 'biff8', bookSST: true, type: 'buffer' };
  let data = XLSX.write(book, options);
  if (workbookStreamSize(data) < MIN_STREAM_BYTES) {
    addPaddingSheet(book);
    data = XLSX.write(book, options);
    if (workbookStreamSize(data) < MIN_STREAM_BYTES) throw new Error(`${file}: workbook stream too small`);
  }
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, data);
  console.log(file);
}

const table = readLanguageTable(path.join(__dirname, 'language_texts.tsv'));
writeWorkbook(languageWorkbook(table), path.join(__dirname, 'Language.xls'));
writeWorkbook(certificateWorkbook('A4'), path.join(__dirname, 'KV_Certificate.xls'));
writeWorkbook(certificateWorkbook('Letter'), path.join(__dirname, 'KV_Certificate_Letter.xls'));
writeWorkbook(testWorkbook(), path.join(ROOT, 'tests/certificate/data/test_book.xls'));
