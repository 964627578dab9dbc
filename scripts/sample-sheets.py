#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the sheets that the paste is tried on, one per kind of copy that the plain text misreads
or refuses, as flat OpenDocument (.fods) and as Gnumeric files (.gnumeric), into DIRECTORY.

Each sheet is a header-less table of sessions: column A the amount, column B the minutes; where
the kind asks for it, a hidden column of notes stands between them. Row 3 is filtered out or hidden
where the kind asks for it, so that the copy of A1:C4 holds three sessions the user sees.

    scripts/sample-sheets.py DIRECTORY
"""

import sys
from pathlib import Path
from xml.sax.saxutils import escape, quoteattr

# kind: (language, country, amount format, minutes format, [(amount, day fraction or minutes)],
#        hide the notes column, how row 3 is left out: "filter", "hide" or None)
# Minutes in a time format are day fractions. The formats are written in both programs' terms.
KINDS = {
    "sign": ("en", "US", "0.00;[RED]0.00", "0", [(-20.5, 45), (30, 60), (-5, 90), (12, 30)], False, None),
    "duration": ("en", "US", "0.00", "[MM]:SS", [(20, 90 / 1440), (-5, 45 / 1440), (7, 1 / 24), (3, 0.5 / 1440)], False, None),
    "scaled": ("en", "US", "#,##0,", "0", [(1250, 60), (-2500, 90), (400, 30), (99999, 45)], False, None),
    "hidden": ("en", "US", "0.00", "0", [(20, 45), (-10, 60), (999, 999), (5, 30)], True, "filter"),
    "hiddenrow": ("en", "US", "0.00", "0", [(20, 45), (-10, 60), (999, 999), (5, 30)], False, "hide"),
    "german": ("de", "DE", "#,##0.00", "0.000", [(1250.5, 45.5), (-20, 60.25), (7, 30), (3, 90)], False, None),
    "polish": ("pl", "PL", '#,##0.00 "zł";-#,##0.00 "zł"', "0", [(1250, 60), (-1000, 90), (20.5, 30), (3, 45)], False, None),
    "spanish": ("es", "ES", '#,##0.00 "€";-#,##0.00 "€"', "0", [(1250, 60), (-1000, 90), (20.5, 30), (3, 45)], False, None),
    "dutch": ("nl", "NL", '"€" #,##0.00;"€" #,##0.00-', "0", [(-20.5, 60), (1250, 90), (20.5, 30), (3, 45)], False, None),
    "arabic": ("ar", "EG", '#,##0.00 "ج.م.‏";#,##0.00- "ج.م.‏"', "0", [(1250, 60), (-20.5, 90), (20.5, 30), (3, 45)], False, None),
    "hindi": ("hi", "IN", "[NatNum1]#,##0.00", "[NatNum1]0", [(1250, 60), (-20.5, 90), (20.5, 30), (3, 45)], False, None),
    "chinese": ("zh", "CN", '"￥"#,##0.00;"￥"-#,##0.00', "0", [(1250, 60), (-20.5, 90), (20.5, 30), (3, 45)], False, None),
}


def fods(language, country, amount_format, minutes_format, rows, hide_notes, row_three):
    def number_style(name, code):
        if ":" in code:  # [MM]:SS
            return (f'<number:time-style style:name="{name}" number:truncate-on-overflow="false">'
                    '<number:minutes number:style="long"/><number:text>:</number:text>'
                    '<number:seconds number:style="long"/></number:time-style>')
        lang = f'number:language="{language}" number:country="{country}"'
        if code.startswith("[NatNum1]"):  # the locale's own digits
            code = code[len("[NatNum1]"):]
            lang += (' number:transliteration-format="१" number:transliteration-language="hi"'
                     ' number:transliteration-country="IN"')
        parts = code.split(";")

        def body(part):
            decimals = sum(1 for c in part.split(".")[1] if c == "0") if "." in part else 0
            grouping = ' number:grouping="true"' if "," in part.split(".")[0].rstrip(",") else ""
            factor = ' number:display-factor="1000"' if part.rstrip().endswith(",") else ""
            number = (f'<number:number number:decimal-places="{decimals}" '
                      f'number:min-integer-digits="1"{grouping}{factor}/>')
            text = part.replace("[RED]", "")
            prefix, _, rest = text.partition('#') if '#' in text else text.partition('0')
            suffix = rest.rsplit("0", 1)[1] if "0" in rest else ""
            out = ""
            for piece in (prefix, None, suffix):
                if piece is None:
                    out += number
                elif piece:
                    out += f"<number:text>{escape(piece.replace(chr(34), ''))}</number:text>"
            return out

        positive = f'<number:number-style style:name="{name}P0" {lang}>{body(parts[0])}</number:number-style>'
        if len(parts) == 1:
            return f'<number:number-style style:name="{name}" {lang}>{body(parts[0])}</number:number-style>'
        red = '<style:text-properties fo:color="#ff0000"/>' if "[RED]" in parts[1] else ""
        return (positive + f'<number:number-style style:name="{name}" {lang}>{red}{body(parts[1])}'
                f'<style:map style:condition="value()&gt;=0" style:apply-style-name="{name}P0"/>'
                '</number:number-style>')

    def cell(style, value, time):
        if time:
            seconds = round(value * 86400)
            duration = f"PT{seconds // 3600}H{seconds // 60 % 60}M{seconds % 60}S"
            return (f'<table:table-cell table:style-name="{style}" office:value-type="time" '
                    f'office:time-value="{duration}"/>')
        return (f'<table:table-cell table:style-name="{style}" office:value-type="float" '
                f'office:value="{value}"/>')

    time = ":" in minutes_format

    def note(index):
        return (f'<table:table-cell office:value-type="string"><text:p>note {index}</text:p>'
                '</table:table-cell>') if hide_notes else ""

    body_rows = []
    for index, (amount, minutes) in enumerate(rows, 1):
        visibility = ""
        if index == 3 and row_three:
            visibility = ' table:visibility="filter"' if row_three == "filter" else ' table:visibility="collapse"'
        body_rows.append(f'<table:table-row{visibility}>{cell("ceA", amount, False)}'
                         f'{note(index)}'
                         f'{cell("ceC", minutes, time)}</table:table-row>')
    notes = '<table:table-column table:visibility="collapse"/>' if hide_notes else ""
    database = ""
    if row_three == "filter":
        database = ('<table:database-ranges><table:database-range table:name="__Anonymous_Sheet_DB__0" '
                    'table:target-range-address="S.A1:S.C4" table:display-filter-buttons="true" '
                    'table:contains-header="false"><table:filter><table:filter-condition '
                    'table:field-number="0" table:value="999" table:operator="!=" '
                    'table:data-type="number"/></table:filter></table:database-range>'
                    '</table:database-ranges>')
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:styles><style:default-style style:family="table-cell">
<style:text-properties fo:language="{language}" fo:country="{country}"/></style:default-style></office:styles>
<office:automatic-styles>
{number_style("NA", amount_format)}{number_style("NC", minutes_format)}
<style:style style:name="ceA" style:family="table-cell" style:data-style-name="NA"/>
<style:style style:name="ceC" style:family="table-cell" style:data-style-name="NC"/>
</office:automatic-styles>
<office:body><office:spreadsheet><table:table table:name="S">
<table:table-column/>{notes}<table:table-column/>
{"".join(body_rows)}
</table:table>{database}</office:spreadsheet></office:body></office:document>
'''


def gnumeric(language, country, amount_format, minutes_format, rows, hide_notes, row_three):
    cells = []
    for index, (amount, minutes) in enumerate(rows):
        cells.append(f'<gnm:Cell Row="{index}" Col="0" ValueType="40" '
                     f'ValueFormat={quoteattr(amount_format.replace("[RED]", "[Red]").replace("[NatNum1]", ""))}>{amount}</gnm:Cell>')
        if hide_notes:
            cells.append(f'<gnm:Cell Row="{index}" Col="1" ValueType="60">note {index + 1}</gnm:Cell>')
        cells.append(f'<gnm:Cell Row="{index}" Col="{2 if hide_notes else 1}" ValueType="40" '
                     f'ValueFormat={quoteattr(minutes_format.replace("MM", "mm").replace("SS", "ss").replace("[NatNum1]", ""))}>{minutes}</gnm:Cell>')
    columns = '<gnm:ColInfo No="1" Unit="48" Hidden="1"/>' if hide_notes else ""
    # Gnumeric filters by hiding rows, so a hidden row stands for a filtered one too.
    hidden_row = '<gnm:RowInfo No="2" Unit="12.75" Hidden="1"/>' if row_three else ""
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">
<gnm:SheetNameIndex><gnm:SheetName>S</gnm:SheetName></gnm:SheetNameIndex>
<gnm:Sheets><gnm:Sheet><gnm:Name>S</gnm:Name><gnm:MaxCol>3</gnm:MaxCol><gnm:MaxRow>4</gnm:MaxRow>
<gnm:Cols DefaultSizePts="48">{columns}</gnm:Cols>
<gnm:Rows DefaultSizePts="12.75">{hidden_row}</gnm:Rows>
<gnm:Cells>{"".join(cells)}</gnm:Cells></gnm:Sheet></gnm:Sheets></gnm:Workbook>
'''


def main():
    directory = Path(sys.argv[1])
    directory.mkdir(parents=True, exist_ok=True)
    for kind, sheet in KINDS.items():
        (directory / f"{kind}.fods").write_text(fods(*sheet), encoding="utf-8")
        (directory / f"{kind}.gnumeric").write_text(gnumeric(*sheet), encoding="utf-8")


if __name__ == "__main__":
    main()
