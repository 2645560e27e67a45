// glidebar.js: draws the menu of a Vantrel page in today's browsers.
//
// A page carries, inside each <applet code="Glidebar.class"> element, the
// applet's params and the same menu as a nested list of links (readable
// without scripts). This script reads the params once and turns that list
// into the menu the wizard's picture shows: the applet box, the menus at
// their positions, every item in its Normal, Mouse Move or Mouse Click look,
// drawn by one style sheet made for the applet. The items stay the list's
// own links, laid out as a WAI-ARIA menubar: one Tab stop, arrow keys along
// each menu, Home/End, Escape out of a sub menu, Enter/Space to follow a
// link. Where the params give no visible menu the list is left as it is, so
// a visitor always has the drawn menu or every link.
//
// Only DOM calls: no page value is ever parsed as markup or code.
(function () {
  'use strict';

  // Font families for TimesRoman (t), Helvetica (h) and Courier (c), most
  // wanted first, then the generic family. The program draws its pictures
  // from the same table, so both pick the same installed font.
  const FONT_FAMILIES = {
    t: { families: ['Times New Roman', 'Liberation Serif', 'Nimbus Roman', 'DejaVu Serif'], generic: 'serif' },
    h: { families: ['Arial', 'Liberation Sans', 'Nimbus Sans', 'DejaVu Sans'], generic: 'sans-serif' },
    c: { families: ['Courier New', 'Liberation Mono', 'Nimbus Mono PS', 'DejaVu Sans Mono'], generic: 'monospace' },
  };
  // System UI, the platform's interface font: the one list of families the
  // program's pictures take as well (they draw a page's own font with it).
  // macOS and iOS have none of them and show their own through system-ui.
  const SYSTEM_UI_FAMILIES = { families: ['Segoe UI', 'Roboto', 'Cantarell', 'Ubuntu', 'Noto Sans', 'Liberation Sans', 'DejaVu Sans'], generic: 'system-ui' };
  // Today's look (the params MMLook, SMLook, MILook1..SILook3, written only
  // where a look differs from the applet's own; src/model/LookValues.h and
  // src/render/MenuRenderer.h say what each value draws, the same here):
  // the shadows as [down, blur, opacity in 1/255], none, soft and strong;
  // an arrow 2a by a (a a tenth of the label's size times ARROW.tenths, at
  // least ARROW.least), ARROW.gap before it; the classic label room.
  const SHADOWS = [[0, 0, 0], [2, 8, 51], [6, 18, 89]];
  const ARROW = { tenths: 3, least: 3, gap: 4 };
  const CLASSIC_INSET = 2;
  const FADE_MS = 150;

  const COORD_LIMIT = 1 << 28;
  const MAX_ITEMS = 200; // items a menu may hold, as the program reads them
  const BUILT = 'data-glidebar-built';
  const STYLE_ID = 'glidebar-style';

  // The page's style sheets are kept off the menu by the cascade alone: the
  // list stays the menu, and every property of every element of the menu is
  // set by a rule the page cannot outweigh. The menu's root starts from
  // every property's initial value (nothing inherited from the page), each
  // element in it from the browser's own defaults (the page's rules rolled
  // back), and every rule of ours is `!important`, so that no rule of the
  // page without `!important` reaches the menu, whatever its selector.
  // `all` leaves out direction and unicode-bidi, which are set here too.
  // The other way, a drawn copy of the links in a shadow root, was not
  // taken: the page would carry the links twice, the copy would cost its
  // making at every load, screen readers and scripts would meet other
  // elements than the page's own links, and an applet element cannot hold
  // a shadow root. The script's own inline styles are `!important` too
  // (setStyle).
  // Every selector starts at the drawn applet (ROOT), so the menu's rules
  // reach nothing of the page outside it.
  const ROOT = 'applet.glidebar';
  const RESET = [
    // (WebKitGTK keeps the inherited font family through `all: initial`
    // and `font-family: initial`: it is named.)
    ROOT + '{all:initial;font-family:serif;direction:ltr;unicode-bidi:isolate}',
    // (::first-line and ::first-letter need no reset: the labels are flex
    // containers, which have neither.)
    ROOT + ' *,' + ROOT + ' *::before,' + ROOT + ' *::after{all:revert;direction:ltr;unicode-bidi:normal}',
  ];
  // What every drawn menu shares; each applet adds a sheet of its own looks.
  const SHEET = [
    ROOT + ',' + ROOT + ' *{box-sizing:border-box;margin:0;padding:0}',
    // Sub menus float over the page beside their item, over what follows.
    ROOT + '{display:inline-block;position:relative;overflow:visible;isolation:isolate;z-index:100;' +
      'vertical-align:baseline;text-align:left;line-height:normal;text-indent:0;' +
      '-webkit-tap-highlight-color:transparent}',
    ROOT + ' nav.glidebar-links{display:block;position:absolute;left:0;top:0;width:100%;height:100%}',
    ROOT + ' ul{position:absolute;display:flex;list-style:none}',
    ROOT + ' ul::after{content:"";position:absolute;left:0;top:0;right:0;bottom:0;' +
      'border:1px solid transparent;pointer-events:none;z-index:1}',
    ROOT + ' li{display:flex;flex:none;background-origin:border-box;background-clip:border-box;cursor:pointer}',
    // The label lies in the item's content box less two pixels at each side,
    // and is cut there.
    ROOT + ' li>:first-child{display:flex;flex:1 1 0;min-width:0;height:100%;align-items:center;' +
      'overflow:hidden;white-space:pre;text-decoration:none;outline:none;cursor:pointer;' +
      '-webkit-tap-highlight-color:transparent}',
    ROOT + ' .gb-text{display:flex;align-items:center;height:100%;overflow:hidden;min-width:0}',
    ROOT + ' img{display:block;flex:none;max-width:100%;max-height:100%}',
    ROOT + ' .gb-sub{display:none;z-index:2}',
    ROOT + ' button{appearance:none;-webkit-appearance:none;border-style:solid;cursor:pointer;' +
      'align-items:center;white-space:pre;overflow:hidden;text-align:left}',
    ROOT + '.gb-small :is(a,button):focus-visible{outline:2px solid currentColor;outline-offset:-6px}',
    // Until the menu is drawn, the list shows its main links only: laying out
    // every sub list first would cost more than drawing the menu. An applet
    // whose params draw no menu shows its whole list again.
    'applet:not(.gb-list) .glidebar-links li ul{display:none}',
    ROOT + ' .gb-open>.gb-sub{display:flex}',
  ];
  // The small-screen form's buttons show in that form only, and never on paper.
  const BUTTONS = [ROOT + ' .gb-tog,' + ROOT + ' .gb-disc{display:none}'];
  const FORCED_COLOURS = [
    ROOT + ' li.gb-f{outline:2px solid Highlight;outline-offset:-4px}',
    ROOT + ' li.gb-f>:first-child{forced-color-adjust:none}',
  ];
  // Printed, the menu is its list of links, sub menus and all.
  const PRINTED = [ROOT + '{display:block}'];

  // Rules of the form `selector{name:value;...}` with every declaration
  // made `!important`. Values never hold `;`, `{` or `}` (a page's address
  // is escaped by cssString).
  function strong(rules) {
    return rules.map((r) => {
      const open = r.indexOf('{'), body = r.slice(open + 1, -1).replace(/;+$/, '');
      return body ? r.slice(0, open + 1) + body.replace(/;/g, '!important;') + '!important}' : r;
    }).join('\n');
  }
  // The drawn look shows on screens; on paper the page's links show as a list.
  function onScreen(rules) { return '@media not print{\n' + strong(rules) + '\n}'; }
  // Sub menus that fade in, where the visitor does not ask for less motion.
  const FADE = '@keyframes glidebar-fade{from{opacity:0}to{opacity:1}}';
  const BASE_SHEET = [strong(RESET), strong(BUTTONS), onScreen(SHEET), FADE,
    '@media print{\n' + strong(PRINTED) + '\n}',
    '@media (forced-colors:active){\n' + strong(FORCED_COLOURS) + '\n}'].join('\n');

  // A CSS string of any text: quotes, backslashes, line ends and the
  // characters strong() cuts at written as escapes.
  function cssString(text) {
    return '"' + text.replace(/["\\\n\r\f;{}]/g, (c) => '\\' + c.charCodeAt(0).toString(16) + ' ') + '"';
  }
  // Inline styles of the script's own, as sure of their place as its rules.
  function setStyle(e, name, value) { e.style.setProperty(name, value, 'important'); }

  // ---- Reading the params -------------------------------------------------

  function int(text, fallback) {
    const n = parseInt(text, 10);
    return Number.isFinite(n) ? n : fallback;
  }
  function clamp(n, low, high) { return Math.min(Math.max(n, low), high); }
  function size(text) { return clamp(int(text, 0), 0, COORD_LIMIT); } // never below zero
  function rgb(hex) {
    return /^[0-9a-fA-F]{6}$/.test(hex)
      ? [0, 2, 4].map((i) => parseInt(hex.substr(i, 2), 16)) : [0, 0, 0];
  }
  function css(c) { return 'rgb(' + c.join(',') + ')'; }
  // The colour part of the way from a to b, as the program mixes colours.
  function mix(a, b, t) { return a.map((v, i) => Math.round(v + (b[i] - v) * t)); }
  function luminance(c) {
    const l = c.map((v) => { v /= 255; return v <= 0.04045 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); });
    return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
  }
  function contrast(a, b) {
    const la = luminance(a), lb = luminance(b);
    return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05);
  }

  // A menu's style, and its look of today (`today`: its MMLook or SMLook,
  // undefined for the classic look).
  function menuStyle(value, today) {
    const f = (value || '').split(',');
    const t = (today || '').split(',');
    const inset = int(t[3], 0);
    return {
      color: rgb(f[0]),
      bk: { '01': 0, '02': 1, '11': 2, '12': 3 }[f[1]] || 0,
      across: f[2] === 'h',
      w: size(f[3]), h: size(f[4]), gap: size(f[5]),
      thick: Math.min(int(f[6], 0), COORD_LIMIT),
      radius: clamp(int(t[0], 0), 0, 16), panel: clamp(int(t[1], 0), 0, 16),
      shadow: SHADOWS[int(t[2], 0)] && int(t[2], 0) > 0 ? SHADOWS[int(t[2], 0)] : null,
      inset: inset ? clamp(inset, CLASSIC_INSET, 24) : CLASSIC_INSET,
      arrows: int(t[4], 0) !== 0, fade: int(t[5], 0) !== 0,
    };
  }

  const familyCss = (font) => font.families.map((n) => '"' + n + '"').concat(font.generic).join(', ');
  // An item look, and its type of today (`today`: its MILook or SILook,
  // undefined for the applet's own): face t, h, c, s (System UI) or p (the
  // page's own font, the one property the page gives the menu), size,
  // weight, italic.
  function itemLook(value, today) {
    const f = (value || '').split(',');
    const fill = int((f[2] || '').slice(0, -1), 0);
    const border = int((f[2] || '').slice(-1), 1) - 1;
    const font = FONT_FAMILIES[f[3]] || FONT_FAMILIES.h;
    const px = int(f[4], 0);
    const align = /^[lcr][lcr]$/.test(f[6] || '') ? f[6] : 'll';
    const look = {
      bk: rgb(f[0]), fr: rgb(f[1]),
      fill: fill >= 0 && fill <= 9 ? fill : 0,
      border: border >= 0 && border <= 2 ? border : 0,
      family: familyCss(font), page: false,
      px: px > 0 ? Math.min(px, 1000) : 12,
      weight: f[5] === 'b' ? 700 : 400, italic: f[5] === 'i',
      imageAlign: 'lcr'.indexOf(align[0]), textAlign: 'lcr'.indexOf(align[1]),
    };
    if (today !== undefined) {
      const t = today.split(',');
      const face = t[0] === 's' || t[0] === 'p' ? SYSTEM_UI_FAMILIES : FONT_FAMILIES[t[0]];
      if (face) look.family = familyCss(face);
      look.page = t[0] === 'p';
      look.px = clamp(int(t[1], look.px), 9, 72);
      look.weight = clamp(Math.floor((int(t[2], look.weight) + 50) / 100) * 100, 400, 700);
      look.italic = int(t[3], 0) !== 0;
    }
    return look;
  }

  // label, image, target, link: the four comma-cut fields of an item value.
  function item(value) {
    const f = value.split(',');
    return { label: f[0] || '', image: f[1] || '', target: f[2] || '', link: f[3] || '' };
  }

  // Links that would run code in the page are never followed. Browsers drop
  // tabs and line breaks anywhere in an address and spaces before it.
  function runsCode(link) {
    if (link.indexOf(':') < 0) return false; // a path: no scheme at all
    return /^(javascript|vbscript|data):/i.test(link.replace(/[\t\n\r]/g, '').replace(/^[\0-\x20]+/, ''));
  }

  // The params, one pass over the applet's children; a name is matched in
  // any case and its first line counts.
  function readParams(applet) {
    const found = new Map();
    for (let el = applet.firstElementChild; el; el = el.nextElementSibling) {
      if (el.localName !== 'param') continue;
      const name = el.getAttribute('name');
      if (name === null) continue;
      const key = name.toLowerCase();
      if (!found.has(key)) found.set(key, el);
    }
    // A value is read when asked for: a sub menu's items only when it opens.
    return {
      has: (key) => found.has(key),
      get: (key) => (found.has(key) ? found.get(key).getAttribute('value') || '' : undefined),
    };
  }

  // The items of menu m: as many as its count says, never more than the
  // program reads nor than the page has item params for.
  function readItems(p, m, count) {
    const items = [];
    for (let i = 0; i < Math.min(count, MAX_ITEMS); ++i) {
      const value = p.get('i' + m + '-' + i);
      if (value === undefined) break;
      items.push(item(value));
    }
    return items;
  }

  function readConfig(applet, p) {
    const ap = (p.get('apco') || '').split(',');
    const cfg = {
      width: size(applet.getAttribute('width')), height: size(applet.getAttribute('height')),
      bkColor: rgb(p.get('apbkcolor')), bkImage: p.get('apbkimg') || '',
      x: clamp(int(ap[0], 0), -COORD_LIMIT, COORD_LIMIT),
      y: clamp(int(ap[1], 0), -COORD_LIMIT, COORD_LIMIT),
      mm: menuStyle(p.get('mmstyle'), p.get('mmlook')), sm: menuStyle(p.get('smstyle'), p.get('smlook')),
      mi: [1, 2, 3].map((s) => itemLook(p.get('mistyle' + s), p.get('milook' + s))),
      si: [1, 2, 3].map((s) => itemLook(p.get('sistyle' + s), p.get('silook' + s))),
      items: [],
    };
    // Misc: menu count, the item count of each menu, then owner-number pairs.
    const misc = (p.get('misc') || '').split(',');
    const menus = Math.min(int(misc[0], 0), MAX_ITEMS + 1);
    const counts = [];
    for (let m = 0; m < menus; ++m) counts.push(Math.max(int(misc[1 + m], 0), 0));
    if (menus < 1) counts.push(MAX_ITEMS); // no table: as many root items as there are
    cfg.items = readItems(p, 0, counts[0]);
    for (let i = 1 + Math.max(menus, 0); i < misc.length; ++i) {
      const owner = /^(\d+)-(\d+)$/.exec(misc[i]);
      if (!owner) continue;
      const main = cfg.items[+owner[1]], k = +owner[2];
      if (main && !main.sub && k > 0 && k < counts.length) {
        // Its items are read when it first opens; here only how many there are.
        let n = 0;
        while (n < Math.min(counts[k], MAX_ITEMS) && p.has('i' + k + '-' + n)) ++n;
        if (n) main.sub = { length: n, read: () => readItems(p, k, n) };
      }
    }
    return cfg;
  }

  // ---- Geometry -----------------------------------------------------------

  function menuBox(style, count) {
    const along = count * (style.across ? style.w : style.h) + (count - 1) * style.gap;
    return style.across ? { w: along, h: style.h } : { w: style.w, h: along };
  }
  // Where the sub menu of main item i opens, from the main menu's top left:
  // flush against its item, below it in a horizontal menu and to its right
  // in a vertical one, the rule of src/model/SubMenuGeometry.h, which the
  // pictures follow. (The classic applet opens it over the item.)
  function subMenuOrigin(mm, i) {
    const off = i * ((mm.across ? mm.w : mm.h) + mm.gap);
    return mm.across ? { x: off, y: mm.h } : { x: mm.w, y: off };
  }
  // The applet's box: the main menu with the margin of its place on every
  // side. No room is kept for the sub menus, which float over the page.
  function appletBox(cfg) {
    const m = menuBox(cfg.mm, cfg.items.length);
    return { w: m.w + 2 * cfg.x, h: m.h + 2 * cfg.y };
  }
  function inside(cfg, x, y, box) {
    return x >= 0 && y >= 0 && x + box.w <= cfg.width && y + box.h <= cfg.height;
  }
  // Whether the params give a menu a visitor can see and use whole: items of
  // some size, the main menu inside the box the page gives the applet.
  function visible(cfg) {
    const n = cfg.items.length;
    if (!n || cfg.mm.w < 1 || cfg.mm.h < 1 || !inside(cfg, cfg.x, cfg.y, menuBox(cfg.mm, n))) return false;
    return cfg.items.every((it) => !it.sub || (cfg.sm.w >= 1 && cfg.sm.h >= 1));
  }

  // ---- The applet's style sheet -------------------------------------------

  function fillCss(look) {
    if (look.fill === 0) return 'none';
    if (look.fill === 1) return css(look.bk);
    const k = (look.fill - 2) % 4;
    const edge = k === 0 || k === 2 ? 'rgb(0,0,0)' : 'rgb(255,255,255)';
    const from = k < 2 ? edge : css(look.bk), to = k < 2 ? css(look.bk) : edge;
    return 'linear-gradient(to ' + (look.fill >= 6 ? 'bottom' : 'right') + ', ' + from + ', ' + to + ')';
  }

  // Border thickness an item of this menu draws: at most half its size.
  function thickness(style) {
    return Math.max(0, Math.min(style.thick, Math.floor(Math.min(style.w, style.h) / 2)));
  }
  function hasRoom(style, t) { return style.w - 2 * t - 2 * style.inset > 0 && style.h - 2 * t > 0; }
  // The box of an item's arrow at a label size: 2a by a pointing down, a by
  // 2a pointing right.
  function arrowBox(px, down) {
    const a = Math.max(ARROW.least, Math.floor((px * ARROW.tenths) / 10));
    return down ? { w: 2 * a, h: a } : { w: a, h: 2 * a };
  }
  const shadowCss = (sh) => '0 ' + sh[0] + 'px ' + sh[1] + 'px rgba(0,0,0,' + +(sh[2] / 255).toFixed(4) + ')';

  // Border colours of a look: plain in the text colour, raised or sunken in
  // a tint and a shade of the fill colour.
  function borderColours(look) {
    if (look.border === 0) return css(look.fr);
    const light = css(mix(look.bk, [255, 255, 255], 0.65)), dark = css(mix(look.bk, [0, 0, 0], 0.6));
    const [tl, br] = look.border === 1 ? [light, dark] : [dark, light];
    return tl + ' ' + br + ' ' + br + ' ' + tl;
  }

  // A label's line set on its baseline in a room `h` pixels high: the
  // font's ascent and descent in whole pixels centred in the room, a half
  // pixel rounded down the page, as the program's pictures draw it. Engines
  // centre line boxes of their own making (with or without the font's line
  // gap, halves rounded their own way), so a strut as high as the baseline
  // lies beside the text and the text is aligned to its foot. Engines that
  // cannot tell the font's ascent keep their own centring.
  function baseline(look, px, h) {
    // Measured at 1000 px, where the engine's own rounding of the metrics
    // (Chromium rounds them, Firefox rounds them up) is a thousandth of the
    // font's size, and rounded here at the label's size.
    const m = fontMetrics(look);
    if (!m) return null;
    const a = Math.round(m.ascent * px / 1000), d = Math.round(m.descent * px / 1000);
    return Math.max(0, a + Math.floor((h - a - d + 1) / 2));
  }
  const struts = (sel) => sel.split(',').map((one) => one + '::before').join(',');
  // The rules that set the labels of `sel` on their baseline.
  function onBaseline(sel, look, px, h) {
    const base = baseline(look, px, h);
    return base === null ? [] : [sel + '{align-items:baseline;line-height:0}',
      struts(sel) + '{content:"";flex:none;align-self:baseline;width:0;height:' + base + 'px}'];
  }
  // A font's ascent and descent at 1000 px, or null where the engine cannot
  // tell them; measured once a font (the three looks of a menu mostly share
  // one, and setting a canvas font is the dear part).
  const metricsOf = new Map();
  function fontMetrics(look) {
    const font = fontOf(look, 1000);
    if (!metricsOf.has(font)) {
      measure = measure || canvas();
      measure.font = '10px serif';
      measure.font = font;
      const m = measure.measureText('x');
      // (a font the canvas refuses, a page's own font list it cannot read,
      // leaves the engine its own centring)
      metricsOf.set(font, measure.font !== '10px serif' && m.fontBoundingBoxAscent >= 0 &&
        m.fontBoundingBoxDescent >= 0 ? { ascent: m.fontBoundingBoxAscent, descent: m.fontBoundingBoxDescent } : null);
    }
    return metricsOf.get(font);
  }
  // What holds an item's label text: its link, or beside a picture the
  // link's text span.
  const labelText = (item) => item + '>:first-child:not(.gb-pic),' + item + '>.gb-pic>.gb-text';
  // A look's font, to measure with (the page's own font as the page has it).
  const weightOf = (look) => (look.weight === 700 ? 'bold ' : look.weight === 400 ? '' : look.weight + ' ');
  const fontOf = (look, px) => (look.italic ? 'italic ' : '') + weightOf(look) + px + 'px ' +
    (look.page && look.pageFamily ? look.pageFamily : look.family);
  // The same as the menu's rules state it: the page's own font inherited.
  const fontCss = (look, px) => (look.italic ? 'italic ' : '') + weightOf(look) + px + 'px ' + look.family +
    (look.page ? ';font-family:inherit' : '');

  // The rules of one menu (sel: its list) in its three looks. `down`: its
  // arrows point down (a horizontal main menu); `desktop`: its list in the
  // desktop form only (the small-screen form has no arrows).
  function menuRules(sel, style, looks, down, desktop) {
    const t = thickness(style), room = hasRoom(style, t);
    const box = sel + '>li', label = box + '>:first-child';
    const rules = [
      sel + '{flex-direction:' + (style.across ? 'row' : 'column') + ';gap:' + style.gap + 'px;' +
        (style.bk >= 2 ? 'background:' + css(style.color) + ';' : '') +
        (style.panel ? 'border-radius:' + style.panel + 'px;' : '') +
        (style.shadow ? 'box-shadow:' + shadowCss(style.shadow) + ';' : '') + '}',
      box + '{width:' + style.w + 'px;height:' + style.h + 'px;border:' + t + 'px ' + (t > 0 ? 'solid' : 'none') +
        (style.radius ? ';border-radius:' + style.radius + 'px' : '') + '}',
      label + '{margin:0 ' + (room ? style.inset : 0) + 'px}',
    ];
    if (style.panel) rules.push(sel + '::after{border-radius:' + style.panel + 'px}');
    if (style.bk === 1 || style.bk === 3) {
      const lum = (Math.max(...style.color) + Math.min(...style.color)) / 2;
      rules.push(sel + '::after{border-color:' + css(lum < 80 ? mix(style.color, [255, 255, 255], 0.5)
        : mix(style.color, [0, 0, 0], 0.45)) + '}');
    }
    // Items that open a sub menu (gb-arr) end in an arrow in the text
    // colour at the right end of their room, centred (a half pixel up);
    // their label's room ends ARROW.gap before it.
    if (style.arrows) {
      const arrows = looks.map((look) => {
        const a = arrowBox(look.px, down);
        if (!room || a.w > style.w - 2 * t - 2 * style.inset) {
          return { after: 'display:none', label: 'margin-right:' + (room ? style.inset : 0) + 'px' };
        }
        const top = Math.trunc((style.h - 2 * t - a.h) / 2), c = css(look.fr);
        return {
          after: 'display:block;width:0;height:0;flex:none;align-self:flex-start;border-style:solid;' +
            'margin:' + top + 'px ' + style.inset + 'px 0 0;' + (down
            ? 'border-width:' + a.h + 'px ' + a.h + 'px 0 ' + a.h + 'px;border-color:' + c + ' transparent transparent transparent'
            : 'border-width:' + a.h / 2 + 'px 0 ' + a.h / 2 + 'px ' + a.w + 'px;border-color:transparent transparent transparent ' + c),
          label: 'margin-right:' + ARROW.gap + 'px',
        };
      });
      const arr = desktop + '>li.gb-arr';
      rules.push(arr + '::after{content:""}');
      ['', '.gb-m', '.gb-c'].forEach((state, s) => {
        if (s === 0 || arrows[s].after !== arrows[0].after) rules.push(arr + state + '::after{' + arrows[s].after + '}');
        if (s === 0 || arrows[s].label !== arrows[0].label) rules.push(arr + state + '>:first-child{' + arrows[s].label + '}');
      });
    }
    // The Mouse Move and Mouse Click looks state only what differs from
    // the Normal look (a shorter sheet is a quicker load).
    const h = style.h - 2 * t, justify = ['flex-start', 'center', 'flex-end'];
    const paint = looks.map((look) => [['background', fillCss(look)], ['border-color', borderColours(look)]]);
    const text = looks.map((look) => [['color', room ? css(look.fr) : 'transparent'], ['font', fontCss(look, look.px)],
      ['justify-content', justify[look.textAlign]]]);
    const strut = looks.map((look) => baseline(look, look.px, h));
    const decls = (all, s) => all[s].filter(([name, value], i) => s === 0 || value !== all[0][i][1])
      .map(([name, value]) => name + ':' + value).join(';');
    ['', '.gb-m', '.gb-c'].forEach((state, s) => {
      const look = looks[s], p = decls(paint, s), x = decls(text, s);
      if (p) rules.push(box + state + '{' + p + '}');
      if (x) rules.push(box + state + '>:first-child{' + x + '}');
      if (s === 0) rules.push(...onBaseline(labelText(box), look, look.px, h));
      else if (strut[s] !== null && strut[s] !== strut[0]) {
        rules.push(struts(labelText(box + state)) + '{height:' + strut[s] + 'px}');
      }
      // The focus ring: the text colour between two bands of the fill
      // colour, so that it shows on any border and any page around it.
      let ring = look.fr;
      if (contrast(ring, look.bk) < 3) ring = contrast([0, 0, 0], look.bk) > contrast([255, 255, 255], look.bk) ? [0, 0, 0] : [255, 255, 255];
      rules.push(box + '.gb-f' + state + '{box-shadow:inset 0 0 0 2px ' + css(look.bk) + ',inset 0 0 0 4px ' +
        css(ring) + ',inset 0 0 0 6px ' + css(look.bk) + '}');
    });
    return rules;
  }

  // The small-screen form (a page narrower than the menu's box, or a
  // phone's page where the menu is too small there): a "Menu" button across
  // the page, the main items one per row under it, a square disclosure
  // button at the right of an item with a sub menu, its sub items indented
  // under it. Rows at least 44 px high, labels at least 16 px; the
  // rule of src/render/SmallMenuLayout.h, which the pictures follow.
  const TARGET = 44, LEAST_FONT = 16, INDENT = 16;
  // A page narrower than this is a phone's: there the form also shows where
  // an item of the menu is smaller than TARGET either way or a label smaller
  // than LEAST_FONT, in any state (the sub menus' where there are any).
  const PHONE_WIDTH_LIMIT = 600;
  function tooSmallForPhones(cfg) {
    const subs = cfg.items.some((it) => it.sub);
    const menus = subs ? [cfg.mm, cfg.sm] : [cfg.mm], looks = subs ? cfg.mi.concat(cfg.si) : cfg.mi;
    return menus.some((m) => Math.min(m.w, m.h) < TARGET) || looks.some((look) => look.px < LEAST_FONT);
  }
  function smallRules(root, cfg) {
    const S = root + '.gb-small', hm = Math.max(TARGET, cfg.mm.h), hs = Math.max(TARGET, cfg.sm.h);
    const rm = cfg.mm.radius ? 'border-radius:' + cfg.mm.radius + 'px;' : '';
    const rs = cfg.sm.radius ? 'border-radius:' + cfg.sm.radius + 'px;' : '';
    const tm = thickness(cfg.mm), ts = thickness(cfg.sm), bar = S + ' .gb-bar', row = bar + '>li';
    const rules = [
      // A line of its own, yet an inline block: the page's text decorations
      // do not reach into one.
      S + '{display:inline-block;vertical-align:top;width:100%;min-width:' + 2 * TARGET + 'px;height:auto}',
      S + ' .glidebar-links{position:static;width:auto;height:auto}',
      bar + '{position:static;display:none;flex-direction:column;gap:0;background:none;box-shadow:none}',
      S + '.gb-shown .gb-bar{display:flex}',
      S + ' ul::after{display:none}',
      row + '{flex-wrap:wrap;width:auto;height:auto;border:none;background:none;box-shadow:none;border-radius:0}',
      row + '>:first-child,' + S + ' .gb-tog,' + row + '>.gb-disc{height:' + hm + 'px;margin:0;padding:0 ' +
        cfg.mm.inset + 'px;' + rm + 'border-width:' + tm + 'px;border-style:' + (tm > 0 ? 'solid' : 'none') + '}',
      row + '>:first-child{flex:1 1 0}',
      S + ' .gb-tog{display:flex;width:100%}',
      // A button's text lies in its content box as an item's label does,
      // whatever box of its own the engine lays a button's content in.
      S + ' .gb-tog,' + row + '>.gb-disc{position:relative}',
      S + ' .gb-tog>.gb-text,' + row + '>.gb-disc>.gb-text{position:absolute;left:' + cfg.mm.inset + 'px;right:' +
        cfg.mm.inset + 'px;top:0;bottom:0;height:auto;justify-content:inherit}',
      row + '>.gb-disc{display:flex;flex:none;width:' + hm + 'px;padding:0;justify-content:center}',
      S + ' .gb-sub{position:static;flex:0 0 calc(100% - ' + INDENT + 'px);flex-direction:column;gap:0;' +
        'margin-left:' + INDENT + 'px;background:none;box-shadow:none;animation:none;display:none}',
      S + ' .gb-sect>.gb-sub{display:flex}',
      // A sub row is its link, border and all, so the whole row is the target.
      S + ' .gb-sub>li{width:auto;height:auto;border:none;background:none;box-shadow:none;border-radius:0}',
      S + ' .gb-sub>li>:first-child{height:' + hs + 'px;margin:0;padding:0 ' + cfg.sm.inset + 'px;' + rs +
        'border-width:' + ts + 'px;border-style:' + (ts > 0 ? 'solid' : 'none') + '}',
    ];
    const px = (look) => Math.max(LEAST_FONT, look.px), font = (look) => fontCss(look, px(look));
    const justify = ['flex-start', 'center', 'flex-end'];
    ['', '.gb-m', '.gb-c'].forEach((state, s) => {
      const look = cfg.mi[s], sub = cfg.si[s];
      const paint = 'background:' + fillCss(look) + ';border-color:' + borderColours(look) + ';color:' +
        css(look.fr) + ';font:' + font(look);
      rules.push(row + state + '>:first-child,' + row + state + '>.gb-disc{' + paint + '}');
      rules.push(S + ' .gb-tog' + [':not(:hover)', ':hover:not(:active)', ':hover:active'][s] + '{' + paint +
        ';justify-content:' + justify[look.textAlign] + '}');
      rules.push(S + ' .gb-sub>li' + state + '>:first-child{background:' + fillCss(sub) + ';border-color:' +
        borderColours(sub) + ';font:' + font(sub) + '}');
      const tog = S + ' .gb-tog' + [':not(:hover)', ':hover:not(:active)', ':hover:active'][s];
      [labelText(row + state), row + state + '>.gb-disc>.gb-text', tog + '>.gb-text'].forEach((sel) =>
        rules.push(...onBaseline(sel, look, px(look), hm - 2 * tm)));
      rules.push(...onBaseline(labelText(S + ' .gb-sub>li' + state), sub, px(sub), hs - 2 * ts));
    });
    return rules;
  }

  // The rules of one applet (root: its selector), its background image
  // tiled from its top left.
  function styleSheet(root, cfg) {
    const box = appletBox(cfg);
    const image = cfg.bkImage ? ';background-image:url(' + cssString(cfg.bkImage) + ');background-repeat:repeat;' +
      'background-position:0 0' : '';
    // The page's own font reaches the labels whose look takes it.
    const page = cfg.mi.concat(cfg.si).some((look) => look.page) ? ';font-family:inherit' : '';
    return [root + '{width:' + box.w + 'px;height:' + box.h + 'px;background-color:' + css(cfg.bkColor) + image + page + '}',
      root + ' .gb-bar{left:' + cfg.x + 'px;top:' + cfg.y + 'px}']
      .concat(menuRules(root + ' .gb-bar', cfg.mm, cfg.mi, cfg.mm.across, root + ':not(.gb-small) .gb-bar'),
        menuRules(root + ' .gb-sub', cfg.sm, cfg.si, false, root + ':not(.gb-small) .gb-sub'));
  }
  // Sub menus that fade in as they open, never where the visitor asks for
  // reduced motion, and never on paper.
  function motionSheet(root, cfg) {
    if (!cfg.sm.fade) return '';
    return '\n@media not print{@media (prefers-reduced-motion:no-preference){\n' +
      strong([root + ' .gb-bar>.gb-open>.gb-sub{animation:glidebar-fade ' + FADE_MS + 'ms ease-out}']) + '\n}}';
  }

  // ---- Turning the list into the menu ---------------------------------------

  function el(tag, className, parent) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (parent) parent.appendChild(e);
    return e;
  }

  // The list's entry of an item: its link (or span) first in its list item.
  function entryOf(li) {
    const first = li.firstElementChild;
    if (first && (first.localName === 'a' || first.localName === 'span')) return first;
    return li.insertBefore(el('span'), first);
  }

  // Makes the list `ul` hold exactly `count` list items and returns them.
  function fitList(ul, count) {
    const lis = [];
    for (let li = ul.firstElementChild; li; li = li.nextElementSibling) {
      if (li.localName === 'li') lis.push(li);
    }
    while (lis.length > count) lis.pop().remove();
    while (lis.length < count) lis.push(el('li', '', ul));
    return lis;
  }

  // Whether a centred image and a centred label fit side by side; until the
  // image has loaded they are taken to fit.
  let measure = null;
  // A canvas to measure text on: one off the page where the engine has it
  // (it costs no element).
  const canvas = () => (typeof OffscreenCanvas === 'function' ? new OffscreenCanvas(1, 1)
    : document.createElement('canvas')).getContext('2d');
  function fitsTogether(node, look, t) {
    const arrow = node.arrow ? arrowBox(look.px, node.arrowDown) : null;
    let room = node.style.w - 2 * t - 2 * node.style.inset;
    if (arrow && arrow.w <= room) room -= arrow.w + ARROW.gap;
    const img = node.img, high = node.style.h - 2 * t;
    let w = img.naturalWidth, h = img.naturalHeight;
    if (!w || !h) return true;
    if (w > room || h > high) { // shrunk to fit, keeping its shape
      const wide = Math.floor((high * w) / h);
      [w, h] = wide <= room ? [wide, high] : [room, Math.floor((room * h) / w)];
    }
    if (!node.label) return w <= room;
    measure = measure || canvas();
    measure.font = fontOf(look, look.px);
    return w + 4 + Math.round(measure.measureText(node.label).width) <= room;
  }

  function flexItem(e, order, grow, margin) {
    setStyle(e, 'order', order);
    setStyle(e, 'flex', grow ? '1 1 0px' : 'none');
    setStyle(e, 'margin', margin);
  }

  // Where an item's image and its label sit in one look: the alignments may
  // differ between looks, and a centred pair depends on the image's size.
  function placeImage(node, look) {
    const a = node.a, ia = look.imageAlign, ta = look.textAlign, justify = ['flex-start', 'center', 'flex-end'];
    const img = node.img, spacer = node.spacer, text = node.text;
    setStyle(a, 'justify-content', 'flex-start');
    setStyle(text, 'justify-content', justify[ta]);
    const group = ia === 1 && ta === 1 && fitsTogether(node, look, thickness(node.style));
    setStyle(spacer, 'display', ia === 1 && !group ? 'block' : 'none');
    if (ia === 0) {
      flexItem(img, 0, false, '0');
      flexItem(text, 1, true, '0 0 0 4px');
    } else if (ia === 2) {
      flexItem(text, 0, true, '0 4px 0 0');
      flexItem(img, 1, false, '0');
    } else if (group) { // both centred: one group, image first
      setStyle(a, 'justify-content', 'center');
      flexItem(img, 0, false, '0');
      flexItem(text, 1, false, node.label ? '0 0 0 4px' : '0');
    } else { // a centred image, the text in the room on its own side (right when centred)
      const left = ta === 0;
      flexItem(text, left ? 0 : 2, true, left ? '0 4px 0 0' : '0 0 0 4px');
      flexItem(img, 1, false, '0');
      flexItem(spacer, left ? 2 : 0, true, left ? '0 0 0 4px' : '0 4px 0 0');
    }
  }

  // Whether a link's address is the page's own: the same file (a folder's
  // index page counting as the folder) with the same query, not a place
  // within the page.
  const pagePath = (u) => u.origin + ' ' + u.pathname.replace(/\/(index|default)\.html?$/i, '/') + u.search;
  let thisPage = null;
  function isThisPage(a) {
    if (thisPage === null) thisPage = pagePath(document.location);
    return !a.hash && pagePath(a) === thisPage;
  }

  // A main item whose sub menu holds this page's item is the current
  // section: aria-current="true" (unless it is this page itself).
  function markSection(node) {
    if (node.here) return;
    if (node.section) node.a.setAttribute('aria-current', 'true');
    else node.a.removeAttribute('aria-current');
  }

  // A cheap first look at a link's written address: only one whose path
  // ends in this page's file name (or, on a folder's page, in a name of the
  // folder) may be this page, so that a large menu's links are not all
  // resolved at load. A link with an escaped character is always resolved.
  let pageFile = null, pageRaw = '';
  const FOLDER_PAGE = /^(index|default)\.html?$/i;
  const FOLDER_LINK = /(^|[\/\\])(\.{0,2}|(index|default)\.html?)$/i;
  function mayBeThisPage(href) {
    if (pageFile === null) {
      const where = document.location.pathname;
      pageRaw = where.slice(where.lastIndexOf('/') + 1);
      try { pageFile = decodeURIComponent(pageRaw); } catch (err) { pageFile = pageRaw; }
      if (FOLDER_PAGE.test(pageFile)) pageFile = pageRaw = '';
    }
    let end = href.indexOf('#');
    if (end < 0) end = href.length;
    const query = href.indexOf('?');
    if (query >= 0 && query < end) end = query;
    const path = href.slice(0, end).trim();
    if (!path || path.indexOf('%') >= 0) return true;
    return pageFile ? path.endsWith(pageFile) || path.endsWith(pageRaw) : FOLDER_LINK.test(path);
  }

  // You are here, one level down: a sub item that links to this page is
  // marked from the start, and its owner shows as the current section,
  // without the sub menu being made. The browser's own selector matching
  // picks the few links that may be this page out of a large menu.
  function markSections(bar) {
    mayBeThisPage('');
    // Any character of a file name, a line break too, is escaped for CSS.
    const quoted = (v) => '"' + CSS.escape(v) + '"';
    const tests = pageFile ? ['[href*=' + quoted(pageFile) + ']', '[href*=' + quoted(pageRaw) + ']']
      : ['[href$="/"]', '[href*="/?"]', '[href$="."]', '[href*="index.htm" i]', '[href*="default.htm" i]',
        '[href=""]', '[href^="?"]'];
    tests.push('[href*="%"]');
    const links = bar.querySelectorAll(tests.map((t) => ':scope > li > ul > li > a' + t).join(','));
    for (const e of links) {
      const href = e.getAttribute('href'), li = e.parentNode, owner = li.parentNode.parentNode.glidebarNode;
      if (!owner || owner.subList !== li.parentNode || !mayBeThisPage(href) || runsCode(href) || !isThisPage(e)) {
        continue;
      }
      let k = 0; // the sub menu has only its first subCount items
      for (let c = li; c; c = c.previousElementSibling) if (c.localName === 'li') k++;
      if (k > owner.subCount) continue;
      e.setAttribute('aria-current', 'page');
      owner.section = true;
      markSection(owner);
    }
  }

  // One list item made a menu item of the params' item `it`: its label, its
  // link (never one that runs code), its target and image.
  function makeItem(li, it, k, owner, style, looks) {
    let a = entryOf(li);
    const link = it.link && !runsCode(it.link) ? it.link : '';
    if (link && a.localName !== 'a') {
      const b = el('a');
      li.replaceChild(b, a);
      while (a.firstChild) b.appendChild(a.firstChild);
      a = b;
    }
    if (a.getAttribute('href') !== (link || null)) {
      if (link) a.setAttribute('href', link);
      else a.removeAttribute('href');
    }
    if (a.getAttribute('target') !== (it.target || null)) {
      if (it.target) a.setAttribute('target', it.target);
      else a.removeAttribute('target');
    }
    if (link && it.target.toLowerCase() === '_blank') a.setAttribute('rel', 'noopener');
    // You are here: the item whose link is this very page (one block of
    // menu serves every page of a site).
    const here = !!link && mayBeThisPage(link) && isThisPage(a);
    if (here) a.setAttribute('aria-current', 'page');
    else a.removeAttribute('aria-current');
    li.setAttribute('role', 'none');
    a.setAttribute('role', 'menuitem');
    a.setAttribute('tabindex', '-1');
    const node = { li, a, k, owner, style, looks, label: it.label, sub: null, subList: null, here };
    li.glidebarNode = node;
    // An item drawn without a label is named by what the list says of it
    // (the program writes the name of its page there).
    if (!it.label) {
      const name = a.textContent.trim() || link;
      if (name) a.setAttribute('aria-label', name);
    }
    if (!it.image) {
      if (a.textContent !== it.label) a.textContent = it.label;
      return node;
    }
    a.textContent = '';
    a.classList.add('gb-pic');
    node.text = el('span', 'gb-text', a);
    node.text.textContent = it.label;
    node.img = el('img', '', a);
    node.img.setAttribute('alt', '');
    node.spacer = el('span', '', a);
    node.img.addEventListener('error', () => {
      node.img.remove();
      node.spacer.remove();
      node.text.remove();
      a.textContent = it.label;
      a.classList.remove('gb-pic');
      a.style.removeProperty('justify-content');
      node.img = null;
    });
    node.img.addEventListener('load', () => node.repaint && node.repaint());
    node.img.setAttribute('src', it.image);
    placeImage(node, looks[0]);
    return node;
  }

  function build(applet) {
    if (applet.hasAttribute(BUILT)) return;
    applet.setAttribute(BUILT, '');
    let cfg;
    try {
      cfg = readConfig(applet, readParams(applet));
    } catch (err) {
      cfg = null;
    }
    // Links that run code do nothing, whatever else the page holds.
    applet.addEventListener('click', (e) => {
      const a = e.target instanceof Element ? e.target.closest('a[href]') : null;
      if (a && runsCode(a.getAttribute('href'))) e.preventDefault();
    }, true);
    if (!cfg || !visible(cfg)) { // the list stays for the visitor, whole
      applet.classList.add('gb-list');
      return;
    }
    try {
      draw(applet, cfg);
    } catch (err) { // never a half-made menu: the list as it came
      applet.classList.add('gb-list');
      throw err;
    }
  }

  // Turns the applet's list into the menu its params describe.
  function draw(applet, cfg) {

    let list = null;
    for (let c = applet.firstElementChild; c; c = c.nextElementSibling) {
      // (a param is never the list: its class is not looked at)
      if (c.localName !== 'param' && c.classList.contains('glidebar-links')) { list = c; break; }
    }
    if (!list) list = el('nav', 'glidebar-links', applet); // a page without its list
    let bar = list.localName === 'ul' ? list : null;
    for (let c = list.firstElementChild; !bar && c; c = c.nextElementSibling) if (c.localName === 'ul') bar = c;
    if (!bar) bar = el('ul', '', list);

    // Each drawn applet gets a class of its own, counted on the shared sheet
    // (which every copy of this script finds).
    const base = document.getElementById(STYLE_ID);
    const number = (parseInt(base.getAttribute('data-drawn'), 10) || 0) + 1;
    base.setAttribute('data-drawn', number);
    const cls = 'gb' + number;
    const root = ROOT + '.' + cls;
    // A look that takes the page's own font is measured in it.
    const pageFamily = cfg.mi.concat(cfg.si).some((look) => look.page)
      ? getComputedStyle(applet.parentElement || document.documentElement).fontFamily : '';
    for (const look of cfg.mi.concat(cfg.si)) if (look.page) look.pageFamily = pageFamily;
    const sheet = el('style');
    sheet.textContent = onScreen(styleSheet(root, cfg)) + motionSheet(root, cfg);
    (document.head || document.documentElement).appendChild(sheet);
    applet.classList.add('glidebar', cls);

    const name = list.getAttribute('aria-label') || '';
    list.removeAttribute('style'); // the page's own look of the list without scripts
    bar.classList.add('gb-bar');

    bar.setAttribute('role', 'menubar');
    bar.setAttribute('aria-orientation', cfg.mm.across ? 'horizontal' : 'vertical');
    if (name) bar.setAttribute('aria-label', name);
    const mains = fitList(bar, cfg.items.length).map((li, i) => {
      const it = cfg.items[i];
      const node = makeItem(li, it, i, null, cfg.mm, cfg.mi);
      let sub = null;
      for (let c = li.firstElementChild; c; c = c.nextElementSibling) {
        if (c.localName !== 'ul') continue;
        if (!sub && it.sub) sub = c;
        else c.remove();
      }
      if (it.sub) {
        // The sub menu's items are made menu items when it first opens.
        sub = sub || el('ul', '', li);
        sub.className = 'gb-sub';
        sub.setAttribute('role', 'menu');
        sub.setAttribute('aria-label', it.label || node.a.getAttribute('aria-label') || '');
        const o = subMenuOrigin(cfg.mm, i);
        setStyle(sub, 'left', o.x + 'px');
        setStyle(sub, 'top', o.y + 'px');
        node.subList = sub;
        node.subOrigin = o;
        node.subBox = menuBox(cfg.sm, it.sub.length);
        node.subItems = it.sub.read;
        node.a.setAttribute('aria-haspopup', 'menu');
        node.a.setAttribute('aria-expanded', 'false');
        node.subCount = it.sub.length;
        if (cfg.mm.arrows) {
          li.classList.add('gb-arr');
          node.arrow = true;
          node.arrowDown = cfg.mm.across;
          if (node.img) placeImage(node, cfg.mi[0]);
        }
      }
      return node;
    });
    markSections(bar);
    mains[0].a.setAttribute('tabindex', '0');
    behave(applet, mains, cfg, bar, () => {
      // The small-screen form's parts, made the first time it shows: its
      // rules, the button that shows the main items, and one beside each
      // item with a sub menu that shows its sub items.
      sheet.textContent += '\n' + onScreen(smallRules(root, cfg));
      if (!bar.id) bar.id = cls + '-bar';
      const toggle = el('button', 'gb-tog');
      toggle.type = 'button';
      el('span', 'gb-text', toggle).textContent = 'Menu';
      toggle.setAttribute('aria-expanded', 'false');
      toggle.setAttribute('aria-controls', bar.id);
      bar.parentNode.insertBefore(toggle, bar);
      mains.forEach((node, i) => {
        if (!node.subList) return;
        if (!node.subList.id) node.subList.id = cls + '-sub' + i;
        const disc = el('button', 'gb-disc');
        disc.type = 'button';
        el('span', 'gb-text', disc).textContent = '+';
        disc.setAttribute('aria-expanded', 'false');
        disc.setAttribute('aria-controls', node.subList.id);
        disc.setAttribute('aria-label', (node.label || node.a.getAttribute('aria-label') || '') + ' sub menu');
        node.li.insertBefore(disc, node.subList);
        node.disc = disc;
      });
      return toggle;
    });
  }

  // A sub menu's items, made when it first opens: a menu of many sub menus
  // costs at load only what its main menu needs.
  function subNodes(owner, cfg, repaint) {
    if (!owner.sub) {
      const items = owner.subItems();
      owner.sub = fitList(owner.subList, items.length)
        .map((li, k) => makeItem(li, items[k], k, owner, cfg.sm, cfg.si));
      for (const n of owner.sub) n.repaint = repaint;
    }
    return owner.sub;
  }

  // ---- Behaviour ----------------------------------------------------------

  function behave(root, mains, cfg, bar, makeSmallParts) {
    let toggle = null;
    let hover = null, pressed = null, open = null, touch = false, stop = mains[0];
    // The small-screen form: whether it is on, its list shown, the main item
    // whose sub items show.
    let small = false, shown = false, section = null;

    // The item the keyboard is on, when the focus is in this menu.
    const focused = () => nodeOf(document.activeElement);
    // A main item keeps its Mouse Move look while the keys are in its sub menu.
    const keysIn = (n) => { const f = focused(); return !!f && f.owner === n; };
    // The current page's item rests in its Mouse Click look.
    const stateOf = (n) => (n === pressed && n === hover ? 3 : n === hover || keysIn(n) ? 2 :
      n.here || n.section ? 3 : 1);
    function show(n) {
      if (!n) return;
      const s = stateOf(n), li = n.li;
      li.classList.toggle('gb-m', s === 2);
      li.classList.toggle('gb-c', s === 3);
      if (n.img) placeImage(n, n.looks[s - 1]);
    }
    // Every item redraws itself through this (an image that has loaded).
    const repaint = function () { show(this); };
    for (const n of mains) {
      n.repaint = repaint;
      if (n.here || n.section) show(n);
    }

    // A sub menu's items, made the first time they are needed, in the
    // roles of the form on show.
    function subsOf(n) {
      const made = !n.sub, list = subNodes(n, cfg, repaint);
      if (made) {
        for (const s of list) {
          if (small) itemRoles(s, false);
          if (s.here) show(s);
        }
        // The items as made from the params decide the section.
        const section = list.some((s) => s.here);
        if (section !== !!n.section) {
          n.section = section;
          markSection(n);
          show(n);
        }
      }
      return list;
    }
    // The menu roles of the desktop form, or none (plain links and lists)
    // in the small-screen form.
    function itemRoles(n, menu) {
      const attr = (e, name, value) => (menu ? e.setAttribute(name, value) : e.removeAttribute(name));
      attr(n.li, 'role', 'none');
      attr(n.a, 'role', 'menuitem');
      attr(n.a, 'tabindex', n === stop ? '0' : '-1');
      if (n.subList) {
        attr(n.a, 'aria-haspopup', 'menu');
        attr(n.a, 'aria-expanded', 'false');
        attr(n.subList, 'role', 'menu');
      }
    }
    function allRoles(menu) {
      if (menu) {
        bar.setAttribute('role', 'menubar');
        bar.setAttribute('aria-orientation', cfg.mm.across ? 'horizontal' : 'vertical');
      } else {
        bar.removeAttribute('role');
        bar.removeAttribute('aria-orientation');
      }
      for (const n of mains) {
        itemRoles(n, menu);
        for (const s of n.sub || []) itemRoles(s, menu);
      }
    }
    function setShown(on) {
      shown = on;
      root.classList.toggle('gb-shown', on);
      toggle.setAttribute('aria-expanded', String(on));
      if (!on) setSection(null);
    }
    function setSection(n) {
      if (section) {
        section.li.classList.remove('gb-sect');
        section.disc.setAttribute('aria-expanded', 'false');
        section.disc.firstChild.textContent = '+';
      }
      section = n && n.subList ? n : null;
      if (section) {
        subsOf(section);
        section.li.classList.add('gb-sect');
        section.disc.setAttribute('aria-expanded', 'true');
        section.disc.firstChild.textContent = '\u2212';
      }
    }
    // Switches forms, keeping what was open: a sub menu opened on the
    // desktop is the section shown on the phone, and back.
    function setSmall(on) {
      if (on === small) return;
      const keep = on ? open : shown ? section : null;
      if (on) {
        setOpen(null);
        for (const n of mains) ring(n, false);
        set(null, null);
      } else {
        setShown(false);
      }
      small = on;
      if (on && !toggle) {
        toggle = makeSmallParts();
        toggle.addEventListener('click', () => setShown(!shown));
        for (const n of mains) {
          if (n.disc) n.disc.addEventListener('click', () => setSection(section === n ? null : n));
        }
      }
      root.classList.toggle('gb-small', on);
      allRoles(!on);
      if (on) {
        setShown(!!keep);
        setSection(keep);
      } else if (keep) {
        setOpen(keep);
      }
    }
    // The form follows the room the page gives the menu: a page narrower
    // than the menu's box shows the small-screen form, and so does a
    // phone's page where the menu is too small for a finger or an eye.
    // Checked now (the layout read is the one the first paint needs anyway)
    // and whenever the window changes size (a phone turned, a window resized).
    const boxWidth = appletBox(cfg).w, holder = root.parentElement, tiny = tooSmallForPhones(cfg);
    function fit() {
      if (!holder) return;
      const cs = getComputedStyle(holder);
      const room = holder.clientWidth - (parseFloat(cs.paddingLeft) || 0) - (parseFloat(cs.paddingRight) || 0);
      setSmall(room < boxWidth || (tiny && document.documentElement.clientWidth < PHONE_WIDTH_LIMIT));
    }
    fit();
    window.addEventListener('resize', fit);

    function setOpen(owner) {
      const next = owner && owner.subList ? owner : null;
      if (next === open) return;
      const old = open;
      if (open) {
        open.li.classList.remove('gb-open');
        open.a.setAttribute('aria-expanded', 'false');
      }
      open = next;
      if (open) {
        place(open);
        subsOf(open);
        open.li.classList.add('gb-open');
        open.a.setAttribute('aria-expanded', 'true');
      }
      show(old);
    }
    // Beside its item, or on the item's other side where the window's edge
    // would cut it and the other side has the room, else as far left as the
    // window allows (src/render/MenuRenderer.cpp keeps it on the page alike). Worked out from the
    // applet's place before the sub menu shows, so opening lays out once.
    function place(owner) {
      const o = owner.subOrigin, w = owner.subBox.w, room = document.documentElement.clientWidth;
      const rootLeft = root.getBoundingClientRect().left, left = rootLeft + cfg.x + o.x;
      let x = o.x;
      if (left + w > room) {
        // The other side of the item, else as far left as the page allows.
        const other = cfg.mm.across ? o.x + cfg.mm.w - w : o.x - cfg.mm.w - w;
        x = rootLeft + cfg.x + other >= 0 ? other : Math.floor(Math.max(0, room - w) - rootLeft) - cfg.x;
      }
      setStyle(owner.subList, 'left', x + 'px');
    }
    function set(h, p) {
      const old = [hover, pressed];
      hover = h;
      pressed = p;
      for (const n of new Set(old.concat(hover, pressed))) show(n);
    }
    // The pointer or the keys rest on n. The pointer never closes the sub
    // menu that holds the keyboard focus.
    function hoverOn(n, byPointer) {
      const f = byPointer ? focused() : null;
      if (n && !n.owner && !(f && f.owner)) setOpen(n);
      set(n, pressed);
    }
    function focus(n) {
      n.a.focus();
      hoverOn(n, false);
    }
    function reset() {
      setOpen(null);
      set(null, null);
    }
    function nodeOf(target) {
      const li = target instanceof Element ? target.closest('li') : null;
      return li && root.contains(li) ? li.glidebarNode || null : null;
    }
    function ring(n, on) {
      if (n) n.li.classList.toggle('gb-f', on);
    }

    root.addEventListener('pointerover', (e) => {
      if (e.pointerType === 'touch') return; // a tap is handled on click
      if (small) { set(nodeOf(e.target), pressed); return; }
      const n = nodeOf(e.target);
      const f = focused();
      if (n) hoverOn(n, true);
      else if (f && f.owner) set(null, pressed); // the keys keep their sub menu
      else if (!(open && open.subList.contains(e.target))) { setOpen(null); set(null, pressed); }
      else set(null, pressed);
    });
    root.addEventListener('pointerleave', (e) => {
      if (e.pointerType === 'touch') return;
      if (small) { set(null, null); return; }
      const f = focused();
      if (f) { // the keys stay where they are, and their sub menu open
        if (!f.owner) setOpen(f.subList ? f : null);
        set(null, null);
        show(f.owner);
      } else reset();
    });
    root.addEventListener('pointerdown', (e) => {
      touch = e.pointerType === 'touch';
      const n = nodeOf(e.target);
      if (n && e.button === 0) set(n, n);
    });
    document.addEventListener('pointerup', () => { if (pressed) set(hover, null); });
    document.addEventListener('pointerdown', (e) => { if (!small && !root.contains(e.target)) reset(); });

    root.addEventListener('click', (e) => {
      const n = nodeOf(e.target);
      if (!n || small) return;
      // First tap on a main item opens its sub menu; the next follows the link.
      if (n.subList && (touch || !n.a.hasAttribute('href')) && open !== n) {
        e.preventDefault();
        setOpen(n);
        set(touch ? null : hover, null); // a finger leaves nothing under a pointer
      }
      touch = false;
    });

    root.addEventListener('focusin', (e) => {
      const n = nodeOf(e.target);
      if (!n || small) return;
      // The one Tab stop moves to the main item last reached.
      const main = n.owner || n;
      if (main !== stop) {
        stop.a.setAttribute('tabindex', '-1');
        main.a.setAttribute('tabindex', '0');
        stop = main;
      }
      let visibleFocus = true;
      try { visibleFocus = n.a.matches(':focus-visible'); } catch (err) { /* an older browser */ }
      ring(n, visibleFocus);
      if (n !== hover) hoverOn(n, false);
      show(n.owner);
    });
    root.addEventListener('focusout', (e) => {
      if (small) return;
      const n = nodeOf(e.target);
      ring(n, false);
      if (!root.contains(e.relatedTarget)) reset();
      else if (n) show(n.owner);
    });

    root.addEventListener('keydown', (e) => {
      if (small) {
        // Escape closes what holds the focus and gives it to its button.
        if (e.key !== 'Escape') return;
        if (section && section.li.contains(e.target) && e.target !== section.a) {
          const n = section;
          setSection(null);
          n.disc.focus();
        } else if (shown) {
          setShown(false);
          toggle.focus();
        } else return;
        e.preventDefault();
        return;
      }
      const n = nodeOf(e.target);
      if (!n || e.altKey || e.ctrlKey || e.metaKey) return;
      const key = e.key;
      if (key === 'Tab') { // out of the menu from wherever the keys are
        if (n.owner) n.owner.a.focus();
        reset();
        return;
      }
      const mainNext = cfg.mm.across ? 'ArrowRight' : 'ArrowDown';
      const mainPrev = cfg.mm.across ? 'ArrowLeft' : 'ArrowUp';
      const intoSub = cfg.mm.across ? 'ArrowDown' : 'ArrowRight';
      const outOfSub = cfg.mm.across ? 'ArrowUp' : 'ArrowLeft';
      const subNext = cfg.sm.across ? 'ArrowRight' : 'ArrowDown';
      const subPrev = cfg.sm.across ? 'ArrowLeft' : 'ArrowUp';
      const list = n.owner ? n.owner.sub : mains;
      let to = null;
      if (key === 'Enter' || key === ' ') {
        if (!e.repeat) set(n, n);
        if (n.a.hasAttribute('href')) n.a.click();
        else if (n.subList) { setOpen(n); to = n.sub[0]; }
      } else if (key === 'Home' || key === 'End') {
        to = list[key === 'Home' ? 0 : list.length - 1];
      } else if (!n.owner) {
        if (key === mainNext) to = mains[Math.min(n.k + 1, mains.length - 1)];
        else if (key === mainPrev) to = mains[Math.max(n.k - 1, 0)];
        else if (key === intoSub && n.subList) { setOpen(n); to = n.sub[0]; }
        else if (key === 'Escape' && open) { setOpen(null); e.preventDefault(); }
      } else if (key === subNext) {
        to = list[Math.min(n.k + 1, list.length - 1)];
      } else if (key === subPrev && n.k > 0) {
        to = list[n.k - 1];
      } else if (key === outOfSub || key === subPrev || key === 'Escape') {
        to = n.owner;
      } else if (key === mainNext || key === mainPrev) { // on to the neighbouring main item
        to = mains[clamp(n.owner.k + (key === mainNext ? 1 : -1), 0, mains.length - 1)];
      }
      if (to || key === 'Enter' || key === ' ') e.preventDefault();
      if (to) focus(to);
      if (key === 'Escape' && n.owner) setOpen(null);
    });
    root.addEventListener('keyup', (e) => {
      if (small) return;
      if ((e.key === 'Enter' || e.key === ' ') && pressed) set(hover, null);
    });
  }

  function buildAll() {
    if (!document.getElementById(STYLE_ID)) {
      const style = el('style');
      style.id = STYLE_ID;
      style.textContent = BASE_SHEET;
      (document.head || document.documentElement).appendChild(style);
    }
    for (const applet of Array.from(document.getElementsByTagName('applet'))) {
      if (/(^|[\/])glidebar\.class$/i.test(applet.getAttribute('code') || '')) build(applet); // also from a sub folder
    }
  }

  buildAll();
  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', buildAll);
})();
