-- The PokerTracker 2 tables a look-up reads. The players are loaded after this,
-- then demo-db-pt2-games.sql keeps about three in four of them and gives them games.
CREATE TABLE players (
  player_id serial PRIMARY KEY,
  screen_name varchar(40) NOT NULL,
  main_site_id integer NOT NULL DEFAULT 1,
  treeview_icon integer NOT NULL DEFAULT 0
);
CREATE TABLE game_players (
  game_id integer NOT NULL,
  player_id integer NOT NULL,
  fbet integer, fraise integer, fcall integer,
  tbet integer, traise integer, tcall integer,
  rbet integer, rraise integer, rcall integer,
  fpossible_actions integer, tpossible_actions integer, rpossible_actions integer,
  pre_flop_raise_n integer, vol_put_money_in_pot integer,
  went_to_showdown_n integer, saw_flop_n integer, won_hand integer,
  total_bet numeric(12,2), total_won numeric(12,2)
);
